#include "ui/settings/WheelItemsModel.h"

#include "core/StringTable.h"
#include "core/SymbolGlyphs.h"
#include "core/Uuid.h"
#include "session/ProbabilityTextCodec.h"
#include "session/WeightNormalizer.h"
#include "ui/settings/MinuteStepper.h"
#include "ui/settings/SettingsSession.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

constexpr qsizetype maximumItemCount = 7;
// The wheel keeps at least two items; an item can go only while three or more are left.
constexpr qsizetype fewestItemsToRemoveFrom = 3;

QString probabilityText(double percent)
{
    // A point whatever the user's locale, like the weights beside it.
    return QString::number(percent, 'f', 1) + QLatin1Char('%');
}

QList<QUuid> idsOf(const QList<WheelItemRow> &rows)
{
    QList<QUuid> ids;
    ids.reserve(rows.size());
    for (const WheelItemRow &row : rows)
        ids.append(row.id);
    return ids;
}

// The rows of `before` to take away, last first, so that `after` is left; none when `after` is not
// `before` with some rows taken away.
std::optional<QList<int>> removedRows(const QList<QUuid> &before, const QList<QUuid> &after)
{
    if (after.size() >= before.size())
        return std::nullopt;
    QList<int> removed;
    qsizetype kept = 0;
    for (qsizetype row = 0; row < before.size(); ++row) {
        if (kept < after.size() && before[row] == after[kept])
            ++kept;
        else
            removed.prepend(int(row));
    }
    if (kept != after.size())
        return std::nullopt;
    return removed;
}

QList<int> changedRoles(const WheelItemRow &before, const WheelItemRow &after)
{
    QList<int> roles;
    auto compare = [&](auto WheelItemRow::*field, WheelItemsModel::Role role) {
        if (before.*field != after.*field)
            roles.append(role);
    };
    compare(&WheelItemRow::title, WheelItemsModel::TitleRole);
    compare(&WheelItemRow::weightText, WheelItemsModel::WeightTextRole);
    compare(&WheelItemRow::probabilityText, WheelItemsModel::ProbabilityTextRole);
    compare(&WheelItemRow::healthScore, WheelItemsModel::HealthScoreRole);
    compare(&WheelItemRow::healthLabel, WheelItemsModel::HealthLabelRole);
    compare(&WheelItemRow::canDecreaseHealth, WheelItemsModel::CanDecreaseHealthRole);
    compare(&WheelItemRow::canIncreaseHealth, WheelItemsModel::CanIncreaseHealthRole);
    compare(&WheelItemRow::symbol, WheelItemsModel::SymbolRole);
    compare(&WheelItemRow::glyph, WheelItemsModel::GlyphRole);
    compare(&WheelItemRow::deleteHelp, WheelItemsModel::DeleteHelpRole);
    compare(&WheelItemRow::showsDivider, WheelItemsModel::ShowsDividerRole);
    return roles;
}

} // namespace

int WheelItemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant WheelItemsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const WheelItemRow &row = m_rows[index.row()];
    switch (Role(role)) {
    case IdRole:
        return Uuid::upperText(row.id);
    case TitleRole:
        return row.title;
    case WeightTextRole:
        return row.weightText;
    case ProbabilityTextRole:
        return row.probabilityText;
    case HealthScoreRole:
        return row.healthScore;
    case HealthLabelRole:
        return row.healthLabel;
    case CanDecreaseHealthRole:
        return row.canDecreaseHealth;
    case CanIncreaseHealthRole:
        return row.canIncreaseHealth;
    case SymbolRole:
        return row.symbol;
    case GlyphRole:
        return row.glyph;
    case DeleteHelpRole:
        return row.deleteHelp;
    case ShowsDividerRole:
        return row.showsDivider;
    }
    return {};
}

QHash<int, QByteArray> WheelItemsModel::roleNames() const
{
    return {
        { IdRole, "id" },
        { TitleRole, "title" },
        { WeightTextRole, "weightText" },
        { ProbabilityTextRole, "probabilityText" },
        { HealthScoreRole, "healthScore" },
        { HealthLabelRole, "healthLabel" },
        { CanDecreaseHealthRole, "canDecreaseHealth" },
        { CanIncreaseHealthRole, "canIncreaseHealth" },
        { SymbolRole, "symbol" },
        { GlyphRole, "glyph" },
        { DeleteHelpRole, "deleteHelp" },
        { ShowsDividerRole, "showsDivider" },
    };
}

void WheelItemsModel::setSession(SettingsSession *session)
{
    if (session == m_session)
        return;
    if (m_session)
        disconnect(m_session, nullptr, this, nullptr);
    m_session = session;
    if (m_session) {
        connect(m_session, &SettingsSession::draftChanged, this, &WheelItemsModel::refresh);
        connect(m_session, &SettingsSession::weightInputsChanged, this, &WheelItemsModel::refresh);
        connect(m_session, &QObject::destroyed, this, &WheelItemsModel::refresh);
    }
    emit sessionChanged();
    refresh();
}

bool WheelItemsModel::canAddItem() const
{
    return m_session && m_session->draft().items.size() < maximumItemCount;
}

QList<WheelItemRow> WheelItemsModel::makeRows() const
{
    if (!m_session)
        return {};
    const AppPreferences &draft = m_session->draft();
    const QList<WheelItem> &items = draft.items;
    QList<double> weights;
    weights.reserve(items.size());
    for (const WheelItem &item : items)
        weights.append(item.weight);
    // By position, not by id, so that items sharing an id in a hand-edited file each get their share.
    const std::optional<QList<double>> percentages = WeightNormalizer::normalizeToHundred(weights);
    const QString deleteHelp = items.size() < fewestItemsToRemoveFrom
        ? localized(
            draft.language, QStringLiteral("至少保留两个项目"), QStringLiteral("Keep at least two items"))
        : localized(draft.language, QStringLiteral("删除项目"), QStringLiteral("Delete Item"));

    QList<WheelItemRow> rows;
    rows.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const WheelItem &item = items[i];
        const auto input = m_session->weightInputs().constFind(item.id);
        WheelItemRow row;
        row.id = item.id;
        row.title = item.title;
        row.weightText
            = input != m_session->weightInputs().cend() ? *input : ProbabilityTextCodec::format(item.weight);
        row.probabilityText = probabilityText(percentages ? percentages->at(i) : 0.0);
        row.healthScore = int(std::clamp<qint64>(item.healthScore, INT_MIN, INT_MAX));
        row.healthLabel = StringTable::counted(QStringLiteral("%n 分"), item.healthScore, draft.language);
        row.canDecreaseHealth = item.healthScore > healthScoreMinimum();
        row.canIncreaseHealth = item.healthScore < healthScoreMaximum();
        row.symbol = item.symbol;
        row.glyph = SymbolGlyphs::text(item.symbol);
        row.deleteHelp = deleteHelp;
        row.showsDivider = item.id != items.last().id;
        rows.append(row);
    }
    return rows;
}

void WheelItemsModel::refresh()
{
    const QList<WheelItemRow> next = makeRows();
    const qsizetype countBefore = m_rows.size();
    const QList<QUuid> idsBefore = idsOf(m_rows);
    const QList<QUuid> idsAfter = idsOf(next);
    if (idsBefore == idsAfter) {
        announceChanges(next);
        return;
    }
    if (idsAfter.size() > idsBefore.size() && idsAfter.first(idsBefore.size()) == idsBefore) {
        beginInsertRows({}, int(countBefore), int(next.size() - 1));
        m_rows.append(next.sliced(countBefore));
        endInsertRows();
        announceChanges(next);
    } else if (const std::optional<QList<int>> removed = removedRows(idsBefore, idsAfter)) {
        for (const int row : *removed) {
            beginRemoveRows({}, row, row);
            m_rows.removeAt(row);
            endRemoveRows();
        }
        announceChanges(next);
    } else {
        beginResetModel();
        m_rows = next;
        endResetModel();
    }
    if (m_rows.size() != countBefore)
        emit countChanged();
}

void WheelItemsModel::announceChanges(const QList<WheelItemRow> &next)
{
    QList<QList<int>> roles(next.size());
    for (qsizetype row = 0; row < next.size(); ++row) {
        roles[row] = changedRoles(m_rows[row], next[row]);
        if (row == m_typingRow)
            roles[row].removeAll(WeightTextRole);
    }
    m_rows = next;
    for (qsizetype row = 0; row < next.size(); ++row) {
        if (!roles[row].isEmpty())
            emit dataChanged(index(int(row)), index(int(row)), roles[row]);
    }
}

bool WheelItemsModel::validRow(int row) const
{
    return m_session && row >= 0 && row < m_session->draft().items.size();
}

template<typename Edit> void WheelItemsModel::editItem(int row, Edit edit)
{
    if (!validRow(row))
        return;
    AppPreferences draft = m_session->draft();
    edit(draft.items[row]);
    m_session->setDraft(draft);
}

void WheelItemsModel::setWeightText(int row, const QString &text)
{
    if (!validRow(row))
        return;
    m_typingRow = row;
    m_session->setWeightInput(m_session->draft().items[row].id, text);
    std::optional<double> weight = ProbabilityTextCodec::parse(text);
    if (text.trimmed().isEmpty())
        weight = 0.0;
    if (weight)
        editItem(row, [&](WheelItem &item) { item.weight = *weight; });
    m_typingRow = -1;
}

void WheelItemsModel::setTitle(int row, const QString &title)
{
    editItem(row, [&](WheelItem &item) { item.title = title; });
}

void WheelItemsModel::setHealthScore(int row, int score)
{
    editItem(row, [&](WheelItem &item) {
        item.healthScore = std::clamp(score, healthScoreMinimum(), healthScoreMaximum());
    });
}

void WheelItemsModel::stepHealthScore(int row, int direction)
{
    editItem(row, [&](WheelItem &item) {
        // The minute steppers' rule, over the score's range.
        item.healthScore = MinuteStepper { healthScoreMinimum(), healthScoreMaximum() }.stepped(
            item.healthScore, direction);
    });
}

void WheelItemsModel::setSymbol(int row, const QString &symbol)
{
    editItem(row, [&](WheelItem &item) { item.symbol = symbol; });
}

void WheelItemsModel::remove(int row)
{
    if (!validRow(row))
        return;
    AppPreferences draft = m_session->draft();
    if (draft.items.size() < fewestItemsToRemoveFrom) {
        m_session->setShowingMinimumItemsAlert(true);
        return;
    }
    const QUuid id = draft.items[row].id;
    m_session->removeWeightInput(id);
    draft.items.removeIf([&](const WheelItem &item) { return item.id == id; });
    m_session->setDraft(draft);
}

void WheelItemsModel::addItem()
{
    if (!canAddItem())
        return;
    AppPreferences draft = m_session->draft();
    const WheelItem item { QUuid::createUuid(),
        localized(draft.language, QStringLiteral("新项目"), QStringLiteral("New Item")), 10, 10,
        QStringLiteral("figure.walk") };
    // The text first, so that the new row shows it from its first drawing.
    m_session->setWeightInput(item.id, QStringLiteral("10"));
    draft.items.append(item);
    m_session->setDraft(draft);
}

void WheelItemsModel::openSymbolPicker(const QString &itemId)
{
    if (m_session)
        m_session->setSymbolPickerItemIdText(itemId);
}

void WheelItemsModel::dismissSymbolPicker(const QString &itemId)
{
    if (!m_session)
        return;
    const std::optional<QUuid> id = Uuid::parse(itemId);
    if (id && m_session->symbolPickerItemId() == id)
        m_session->setSymbolPickerItemId(std::nullopt);
}
