#include "ui/settings/BackgroundLibraryModel.h"

#include "app/AppController.h"
#include "app/Appearance.h"
#include "core/DragReorder.h"
#include "core/MediaTypes.h"
#include "core/StringTable.h"
#include "core/Tones.h"
#include "core/Uuid.h"
#include "media/PaletteExtractor.h"
#include "ui/settings/SettingsSession.h"

#include <QMetaObject>

BackgroundLibraryModel::BackgroundLibraryModel(
    SettingsSession &session, AppController &controller, QObject *parent)
    : ReorderableListModel(parent)
    , m_session(session)
    , m_controller(controller)
    , m_items(session.draft().backgroundLibrary)
    , m_activeId(session.draft().activeBackgroundID)
    , m_rotates(session.draft().rotateBackgroundEachRound)
    , m_announcedCount(count())
{
    connect(&session, &SettingsSession::draftChanged, this, &BackgroundLibraryModel::followDraft);
    connect(&session, &SettingsSession::languageChanged, this, &BackgroundLibraryModel::countTextChanged);
    connect(
        &session, &SettingsSession::accentChanged, this, &BackgroundLibraryModel::rotateSymbolColorChanged);
    connect(this, &BackgroundLibraryModel::rotatesEachRoundChanged, this,
        &BackgroundLibraryModel::rotateSymbolColorChanged);
}

int BackgroundLibraryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant BackgroundLibraryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const BackgroundMediaItem &item = m_items.at(index.row());
    switch (role) {
    case IdRole:
        return Uuid::upperText(item.id);
    case NameRole:
        return item.name;
    case IsVideoRole:
        return BackgroundMediaType::isVideo(item.path);
    case BadgeKeyRole:
        return BackgroundMediaType::isVideo(item.path) ? QStringLiteral("VIDEO") : QStringLiteral("IMAGE");
    case IsActiveRole:
        return m_activeId == item.id;
    case ThumbnailRole:
        return thumbnailAddress(item.path);
    case PlaceholderSymbolRole:
        return BackgroundMediaType::isVideo(item.path) ? QStringLiteral("film.fill")
                                                       : QStringLiteral("photo.fill");
    default:
        return {};
    }
}

QHash<int, QByteArray> BackgroundLibraryModel::roleNames() const
{
    return {
        { IdRole, "itemId" },
        { NameRole, "name" },
        { IsVideoRole, "isVideo" },
        { BadgeKeyRole, "badgeKey" },
        { IsActiveRole, "isActive" },
        { ThumbnailRole, "thumbnail" },
        { PlaceholderSymbolRole, "placeholderSymbol" },
    };
}

QString BackgroundLibraryModel::countText() const
{
    QString text = StringTable::text(QStringLiteral("%lld / %lld"), m_session.draft().language);
    for (const int number : { count(), capacity }) {
        const qsizetype at = text.indexOf(QStringLiteral("%lld"));
        if (at >= 0)
            text.replace(at, 4, QString::number(number));
    }
    return text;
}

bool BackgroundLibraryModel::builtInActive() const
{
    return !m_activeId;
}

QUrl BackgroundLibraryModel::builtInUrl()
{
    return Appearance::defaultBackgroundURL();
}

bool BackgroundLibraryModel::rotatesEachRound() const
{
    return m_rotates;
}

void BackgroundLibraryModel::selectDefault()
{
    commit(std::nullopt);
}

void BackgroundLibraryModel::select(const QString &itemId)
{
    const std::optional<QUuid> id = Uuid::parse(itemId);
    for (const BackgroundMediaItem &item : std::as_const(m_items)) {
        if (id == item.id)
            return select(item);
    }
}

void BackgroundLibraryModel::select(const BackgroundMediaItem &item)
{
    commit(item);
}

void BackgroundLibraryModel::remove(const QString &itemId)
{
    const std::optional<QUuid> id = Uuid::parse(itemId);
    if (!id)
        return;
    bool removed = false;
    for (qsizetype row = m_items.size() - 1; row >= 0; --row) {
        if (m_items.at(row).id != *id)
            continue;
        beginRemoveRows(QModelIndex(), int(row), int(row));
        m_items.removeAt(row);
        endRemoveRows();
        removed = true;
    }
    if (!removed)
        return;
    if (m_activeId != id)
        return commitRows();
    if (m_items.isEmpty())
        return commit(std::nullopt);
    commit(m_items.first());
}

void BackgroundLibraryModel::append(const QList<BackgroundMediaItem> &items)
{
    const qsizetype room = capacity - m_items.size();
    if (room <= 0 || items.isEmpty())
        return;
    const QList<BackgroundMediaItem> kept = items.first(std::min(room, items.size()));
    beginInsertRows(QModelIndex(), count(), count() + int(kept.size()) - 1);
    m_items += kept;
    endInsertRows();
    commit(kept.first());
}

void BackgroundLibraryModel::addMedia()
{
    if (!canAdd())
        return;
    append(m_controller.chooseBackgroundMediaFiles(capacity - count()));
}

bool BackgroundLibraryModel::dropUrls(const QList<QUrl> &urls)
{
    if (!canAdd())
        return false;
    QList<QUrl> taken;
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && taken.size() < capacity - count())
            taken.append(url);
    }
    if (taken.isEmpty())
        return false;
    for (const QUrl &url : std::as_const(taken))
        QMetaObject::invokeMethod(
            this, [this, url] { importDropped(url); }, Qt::QueuedConnection);
    return true;
}

void BackgroundLibraryModel::importDropped(const QUrl &url)
{
    if (!m_session.hasEnded() && canAdd())
        append(m_controller.importBackgroundMediaFiles({ url }));
}

QColor BackgroundLibraryModel::rotateSymbolColor() const
{
    return rotatesEachRound() ? m_session.accent() : Tones::white(Tones::textSecondary());
}

void BackgroundLibraryModel::setRotatesEachRound(bool rotates)
{
    AppPreferences draft = m_session.draft();
    draft.rotateBackgroundEachRound = rotates;
    m_session.setDraft(draft);
}

void BackgroundLibraryModel::openFolder()
{
    m_controller.openBackgroundFolder();
}

std::optional<DragReorder::Move> BackgroundLibraryModel::moveOnEnter(const QUuid &targetId) const
{
    return DragReorder::moveOnEnter(m_items, draggedId(), targetId);
}

void BackgroundLibraryModel::moveEntry(qsizetype from, qsizetype to)
{
    m_items.move(from, to);
}

QString BackgroundLibraryModel::thumbnailAddress(const QString &path)
{
    return QStringLiteral("image://thumbnails/") + QString::fromLatin1(QUrl::toPercentEncoding(path));
}

void BackgroundLibraryModel::commit(const std::optional<BackgroundMediaItem> &active)
{
    AppPreferences draft = m_session.draft();
    draft.backgroundLibrary = m_items;
    draft.activeBackgroundID = active ? std::optional(active->id) : std::nullopt;
    draft.backgroundPath = active ? std::optional(active->path) : std::nullopt;
    if (draft.autoPalette) {
        if (!active)
            draft.palette = AppPalette();
        else if (const std::optional<AppPalette> palette = PaletteExtractor().extract(active->path))
            draft.palette = *palette;
    }
    m_session.setDraft(draft);
}

void BackgroundLibraryModel::commitRows()
{
    AppPreferences draft = m_session.draft();
    draft.backgroundLibrary = m_items;
    m_session.setDraft(draft);
}

void BackgroundLibraryModel::followDraft()
{
    const AppPreferences &draft = m_session.draft();
    if (draft.backgroundLibrary != m_items) {
        beginResetModel();
        m_items = draft.backgroundLibrary;
        endResetModel();
    }
    if (draft.activeBackgroundID != m_activeId) {
        m_activeId = draft.activeBackgroundID;
        if (!m_items.isEmpty())
            emit dataChanged(index(0), index(count() - 1), { IsActiveRole });
        emit activeChanged();
    }
    if (draft.rotateBackgroundEachRound != m_rotates) {
        m_rotates = draft.rotateBackgroundEachRound;
        emit rotatesEachRoundChanged();
    }
    if (count() == m_announcedCount)
        return;
    m_announcedCount = count();
    emit countChanged();
    emit countTextChanged();
    // One item or none leaves nothing to rotate through. A library loaded that way keeps its switch
    // until the count changes.
    if (count() <= 1 && m_rotates)
        setRotatesEachRound(false);
}
