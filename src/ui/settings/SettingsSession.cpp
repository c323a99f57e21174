#include "ui/settings/SettingsSession.h"

#include "app/AppController.h"
#include "core/Color.h"
#include "core/StringTable.h"
#include "core/Uuid.h"
#include "platform/AutostartEntry.h"
#include "session/ProbabilityTextCodec.h"
#include "session/WheelItemConstraints.h"
#include "ui/common/ControllerSingleton.h"
#include "ui/settings/BackgroundLibraryModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

SettingsSession::SettingsSession(AppController &controller, QObject *parent)
    : QObject(parent)
    , m_controller(controller)
    , m_draft(controller.preferences())
    , m_program(QCoreApplication::applicationFilePath())
    , m_programStartedAtLogin(AutostartEntry::startedProgram())
    , m_startedAtLogin(AutostartEntry::isEnabled(m_program))
    , m_startsAtLogin(m_startedAtLogin)
{
    // A hand-edited file may name one id twice; the first item's text is the one kept.
    for (const WheelItem &item : m_draft.items) {
        if (!m_weightInputs.contains(item.id))
            m_weightInputs.insert(item.id, ProbabilityTextCodec::format(item.weight));
    }
    m_backgroundLibrary = new BackgroundLibraryModel(*this, controller, this);
    m_focusPlaylist = new PlaylistModel(*this, controller, AudioPlaylistKind::focus, this);
    m_reminderPlaylist = new PlaylistModel(*this, controller, AudioPlaylistKind::reminder, this);
    // The view goes a little after its sheet closes; the session ends with the sheet.
    connect(controller.sheets(), &Sheets::openSheetsChanged, this, [this] {
        if (!m_controller.sheets()->isOpen(Sheets::Sheet::Settings))
            m_ended = true;
    });
}

SettingsSession::SettingsSession(QObject *parent)
    : SettingsSession(ControllerSingleton::controller(), parent)
{ }

void SettingsSession::setDraft(const AppPreferences &draft)
{
    if (draft == m_draft)
        return;
    const bool languageChanges = draft.language != m_draft.language;
    const bool accentChanges = draft.palette.accentHex != m_draft.palette.accentHex;
    m_draft = draft;
    emit draftChanged();
    if (languageChanges) {
        emit languageChanged();
        emit paneTextsChanged();
    }
    if (accentChanges)
        emit accentChanged();
}

void SettingsSession::setWeightInput(const QUuid &itemId, const QString &text)
{
    const auto existing = m_weightInputs.constFind(itemId);
    if (existing != m_weightInputs.cend() && *existing == text)
        return;
    m_weightInputs.insert(itemId, text);
    if (itemId == m_invalidWeightItemId)
        setInvalidWeightItemId(std::nullopt);
    emit weightInputsChanged();
}

void SettingsSession::removeWeightInput(const QUuid &itemId)
{
    if (m_weightInputs.remove(itemId))
        emit weightInputsChanged();
}

void SettingsSession::selectPane(SettingsPane pane)
{
    if (pane == m_selectedPane)
        return;
    m_selectedPane = pane;
    emit paneTextsChanged();
}

void SettingsSession::setSelectedPaneName(const QString &name)
{
    if (const std::optional<SettingsPane> pane = fromRawValue<SettingsPane>(name))
        selectPane(*pane);
}

void SettingsSession::setSymbolPickerItemId(const std::optional<QUuid> &itemId)
{
    if (itemId == m_symbolPickerItemId)
        return;
    m_symbolPickerItemId = itemId;
    emit symbolPickerItemIdChanged();
}

QString SettingsSession::symbolPickerItemIdText() const
{
    return m_symbolPickerItemId ? Uuid::upperText(*m_symbolPickerItemId) : QString();
}

void SettingsSession::setSymbolPickerItemIdText(const QString &itemId)
{
    setSymbolPickerItemId(Uuid::parse(itemId));
}

void SettingsSession::setShowingWeightError(bool showing)
{
    if (showing == m_showingWeightError)
        return;
    m_showingWeightError = showing;
    emit showingWeightErrorChanged();
}

void SettingsSession::setShowingMinimumItemsAlert(bool showing)
{
    if (showing == m_showingMinimumItemsAlert)
        return;
    m_showingMinimumItemsAlert = showing;
    emit showingMinimumItemsAlertChanged();
}

bool SettingsSession::commitWeightInputs()
{
    AppPreferences committed = m_draft;
    std::optional<QUuid> unread;
    for (WheelItem &item : committed.items) {
        const auto input = m_weightInputs.constFind(item.id);
        const QString text
            = input != m_weightInputs.cend() ? *input : ProbabilityTextCodec::format(item.weight);
        const std::optional<double> weight = ProbabilityTextCodec::parse(text);
        if (!weight) {
            unread = item.id;
            break;
        }
        item.weight = *weight;
    }
    // The weights read before a bad text stay written, as the user typed them.
    setDraft(committed);
    if (unread) {
        setInvalidWeightItemId(unread);
        return false;
    }
    if (!WheelItemConstraints::hasEnoughPositiveWeights(m_draft.items)) {
        const auto weightless = std::find_if(m_draft.items.cbegin(), m_draft.items.cend(),
            [](const WheelItem &item) { return !(item.weight > 0); });
        setInvalidWeightItemId(
            weightless != m_draft.items.cend() ? std::optional(weightless->id) : std::nullopt);
        return false;
    }
    setInvalidWeightItemId(std::nullopt);
    return true;
}

bool SettingsSession::commitWeightInputsOrShowError()
{
    if (commitWeightInputs())
        return true;
    selectPane(SettingsPane::wheel);
    setShowingWeightError(true);
    return false;
}

void SettingsSession::setInvalidWeightItemId(const std::optional<QUuid> &itemId)
{
    if (itemId == m_invalidWeightItemId)
        return;
    m_invalidWeightItemId = itemId;
    emit invalidWeightItemIdChanged();
}

QString SettingsSession::invalidWeightItemIdText() const
{
    return m_invalidWeightItemId ? Uuid::upperText(*m_invalidWeightItemId) : QString();
}

void SettingsSession::save()
{
    if (commitWeightInputsOrShowError() && m_controller.savePreferences(m_draft))
        saveStartsAtLogin();
}

void SettingsSession::cancel()
{
    m_controller.sheets()->close(Sheets::Sheet::Settings);
}

QColor SettingsSession::accent() const
{
    return colorFromHex(m_draft.palette.accentHex);
}

QString SettingsSession::title() const
{
    return localized(language(), QStringLiteral("柯帆设置"), QStringLiteral("Quorvane Settings"));
}

QVariantList SettingsSession::sidebarRows() const
{
    QVariantList rows;
    for (const SettingsPane pane : allCases<SettingsPane>())
        rows.append(QVariantMap { { QStringLiteral("pane"), rawValue(pane) },
            { QStringLiteral("title"), ::title(pane, language()) },
            { QStringLiteral("symbol"), symbol(pane) } });
    return rows;
}

SettingsPaneTexts SettingsSession::paneTexts() const
{
    // The folder the logs live in is the application folder, wherever the data folder is.
    const QString folder
        = QDir::toNativeSeparators(QFileInfo(m_controller.window()->activityLogPath()).absolutePath());
    return SettingsPaneTexts::make(language(), folder + QDir::separator(), m_controller.windowSystem());
}

QString SettingsSession::paneLine() const
{
    return ::title(m_selectedPane, language()) + QStringLiteral(" · ") + subtitle(m_selectedPane, language());
}

QString SettingsSession::headingTitle() const
{
    switch (m_selectedPane) {
    case SettingsPane::general:
        return localized(language(), QStringLiteral("通用"), QStringLiteral("General"));
    case SettingsPane::update:
        return localized(language(), QStringLiteral("更新"), QStringLiteral("Updates"));
    case SettingsPane::appearance:
        return StringTable::text(QStringLiteral("画面"), language());
    case SettingsPane::focus:
        return StringTable::text(QStringLiteral("节奏"), language());
    case SettingsPane::audio:
        return StringTable::text(QStringLiteral("音乐"), language());
    case SettingsPane::wheel:
        return StringTable::text(QStringLiteral("转盘"), language());
    case SettingsPane::records:
        return StringTable::text(QStringLiteral("记录"), language());
    }
    return {};
}

QString SettingsSession::headingSubtitle() const
{
    switch (m_selectedPane) {
    case SettingsPane::general:
        return localized(language(), QStringLiteral("选择界面语言、窗口层级并查看产品信息"),
            QStringLiteral("Choose the interface language, window level, and view product information"));
    case SettingsPane::update:
        return localized(language(), QStringLiteral("安全地检查柯帆的新版本"),
            QStringLiteral("Securely check for new Quorvane releases"));
    case SettingsPane::appearance:
        return StringTable::text(QStringLiteral("让背景成为界面的视觉主角"), language());
    case SettingsPane::focus:
        return StringTable::text(QStringLiteral("设置专注时长和空闲阈值"), language());
    case SettingsPane::audio:
        return StringTable::text(QStringLiteral("两个独立列表，各自保存顺序与播放模式"), language());
    case SettingsPane::wheel:
        return StringTable::text(QStringLiteral("配置权重、自动概率与近期项目折扣"), language());
    case SettingsPane::records:
        return StringTable::text(QStringLiteral("CSV 数据、权限与应急解锁"), language());
    }
    return {};
}

QString SettingsSession::weightErrorTitle() const
{
    return localized(language(), QStringLiteral("权重设置有误"), QStringLiteral("Invalid Weights"));
}

QString SettingsSession::weightErrorMessage() const
{
    return localized(language(),
        QStringLiteral(
            "权重可以暂时留空以便编辑；保存时必须是大于或等于 0 的数字，并且至少两个项目的权重大于 0。"),
        QStringLiteral(
            "Weights may be temporarily blank while editing. To save, use non-negative numbers and "
            "keep at least two items above zero."));
}

QString SettingsSession::minimumItemsTitle() const
{
    return localized(
        language(), QStringLiteral("至少保留两个项目"), QStringLiteral("Keep at Least Two Items"));
}

QString SettingsSession::minimumItemsMessage() const
{
    return localized(language(),
        QStringLiteral("转盘至少需要两个项目，才能保证刚抽中的项目不会连续再次出现。"),
        QStringLiteral("The wheel needs at least two items so the latest result can be excluded from the "
                       "next draw."));
}
