#include "ui/settings/PlaylistModel.h"

#include "app/AppController.h"
#include "core/DragReorder.h"
#include "core/Uuid.h"
#include "ui/settings/SettingsSession.h"

#include <QFileInfo>
#include <QMetaObject>

PlaylistModel::PlaylistModel(
    SettingsSession &session, AppController &controller, AudioPlaylistKind kind, QObject *parent)
    : ReorderableListModel(parent)
    , m_session(session)
    , m_controller(controller)
    , m_kind(kind)
    , m_tracks(playlist().tracks)
    , m_enabled(playlist().isEnabled)
    , m_mode(playlist().playbackMode)
{
    followNowPlaying();
    connect(&session, &SettingsSession::draftChanged, this, &PlaylistModel::followDraft);
    connect(&session, &SettingsSession::languageChanged, this, &PlaylistModel::countTextChanged);
    connect(&session, &SettingsSession::languageChanged, this, &PlaylistModel::modesChanged);
    connect(&session, &SettingsSession::languageChanged, this, [this] { refreshRows({ StatusTextRole }); });
    connect(controller.music(), &Music::nowPlayingChanged, this, &PlaylistModel::followNowPlaying);
}

int PlaylistModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PlaylistModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const AudioTrack &track = m_tracks.at(index.row());
    const bool current = m_playing.trackId == track.id;
    switch (role) {
    case IdRole:
        return Uuid::upperText(track.id);
    case NameRole:
        return track.name;
    case ExtensionRole:
        return QFileInfo(track.path).suffix().toUpper();
    case CurrentRole:
        return current;
    case PausedRole:
        return current && m_playing.paused;
    case SymbolRole:
        return current ? QStringLiteral("waveform") : QStringLiteral("music.note");
    case StatusTextRole:
        if (!current)
            return QString();
        return m_playing.paused
            ? localized(m_session.draft().language, QStringLiteral("已暂停"), QStringLiteral("Paused"))
            : localized(m_session.draft().language, QStringLiteral("正在播放"), QStringLiteral("Playing"));
    default:
        return {};
    }
}

QHash<int, QByteArray> PlaylistModel::roleNames() const
{
    return {
        { IdRole, "trackId" },
        { NameRole, "name" },
        { ExtensionRole, "extension" },
        { CurrentRole, "current" },
        { PausedRole, "paused" },
        { SymbolRole, "symbol" },
        { StatusTextRole, "statusText" },
    };
}

QString PlaylistModel::kindName() const
{
    return rawValue(m_kind);
}

QString PlaylistModel::rowDragKey() const
{
    return QStringLiteral("application/x-quorvane-track-") + kindName();
}

bool PlaylistModel::isEnabled() const
{
    return m_enabled;
}

AudioPlaybackMode PlaylistModel::playbackMode() const
{
    return m_mode;
}

QString PlaylistModel::playbackModeName() const
{
    return rawValue(m_mode);
}

QVariantList PlaylistModel::modes() const
{
    QVariantList rows;
    for (const AudioPlaybackMode mode : allCases<AudioPlaybackMode>()) {
        rows.append(QVariantMap {
            { QStringLiteral("mode"), rawValue(mode) },
            { QStringLiteral("title"), title(mode, m_session.draft().language) },
            { QStringLiteral("symbol"),
                mode == AudioPlaybackMode::sequential ? QStringLiteral("repeat")
                                                      : QStringLiteral("shuffle") },
        });
    }
    return rows;
}

QString PlaylistModel::countText() const
{
    // The English word stays plural for one track too.
    return QString::number(count())
        + localized(m_session.draft().language, QStringLiteral(" 首"), QStringLiteral(" tracks"));
}

void PlaylistModel::setEnabled(bool enabled)
{
    AppPreferences draft = m_session.draft();
    playlistIn(draft).isEnabled = enabled;
    m_session.setDraft(draft);
}

void PlaylistModel::setPlaybackMode(const QString &mode)
{
    const std::optional<AudioPlaybackMode> chosen = fromRawValue<AudioPlaybackMode>(mode);
    if (!chosen)
        return;
    AppPreferences draft = m_session.draft();
    playlistIn(draft).playbackMode = *chosen;
    m_session.setDraft(draft);
}

void PlaylistModel::rename(int row, const QString &name)
{
    if (row < 0 || row >= count() || m_tracks.at(row).name == name)
        return;
    m_tracks[row].name = name;
    emit dataChanged(index(row), index(row), { NameRole });
    commitRows();
}

void PlaylistModel::remove(int row)
{
    if (row < 0 || row >= count())
        return;
    const QUuid id = m_tracks.at(row).id;
    for (qsizetype at = m_tracks.size() - 1; at >= 0; --at) {
        if (m_tracks.at(at).id != id)
            continue;
        beginRemoveRows(QModelIndex(), int(at), int(at));
        m_tracks.removeAt(at);
        endRemoveRows();
    }
    emit countChanged();
    emit countTextChanged();
    commitRows();
}

void PlaylistModel::addFromPanel()
{
    append(m_controller.chooseAudioFiles(m_kind));
}

bool PlaylistModel::dropUrls(const QList<QUrl> &urls)
{
    QList<QUrl> taken;
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            taken.append(url);
    }
    if (taken.isEmpty())
        return false;
    for (const QUrl &url : std::as_const(taken))
        QMetaObject::invokeMethod(
            this, [this, url] { importDropped(url); }, Qt::QueuedConnection);
    return true;
}

void PlaylistModel::importDropped(const QUrl &url)
{
    if (m_session.hasEnded())
        return;
    append(m_controller.importAudioFiles({ url }, m_kind));
}

void PlaylistModel::append(const QList<AudioTrack> &tracks)
{
    if (tracks.isEmpty())
        return;
    beginInsertRows(QModelIndex(), count(), count() + int(tracks.size()) - 1);
    m_tracks += tracks;
    endInsertRows();
    emit countChanged();
    emit countTextChanged();
    commitRows();
}

std::optional<DragReorder::Move> PlaylistModel::moveOnEnter(const QUuid &targetId) const
{
    return DragReorder::moveOnEnter(m_tracks, draggedId(), targetId);
}

void PlaylistModel::moveEntry(qsizetype from, qsizetype to)
{
    m_tracks.move(from, to);
}

const AudioPlaylist &PlaylistModel::playlist() const
{
    const AppPreferences &draft = m_session.draft();
    return m_kind == AudioPlaylistKind::focus ? draft.focusPlaylist : draft.reminderPlaylist;
}

AudioPlaylist &PlaylistModel::playlistIn(AppPreferences &preferences) const
{
    return m_kind == AudioPlaylistKind::focus ? preferences.focusPlaylist : preferences.reminderPlaylist;
}

void PlaylistModel::commitRows()
{
    AppPreferences draft = m_session.draft();
    playlistIn(draft).tracks = m_tracks;
    m_session.setDraft(draft);
}

void PlaylistModel::followDraft()
{
    const AudioPlaylist &stored = playlist();
    if (stored.tracks != m_tracks) {
        const bool countChanges = stored.tracks.size() != m_tracks.size();
        beginResetModel();
        m_tracks = stored.tracks;
        endResetModel();
        if (countChanges) {
            emit countChanged();
            emit countTextChanged();
        }
    }
    if (stored.isEnabled != m_enabled) {
        m_enabled = stored.isEnabled;
        emit isEnabledChanged();
    }
    if (stored.playbackMode != m_mode) {
        m_mode = stored.playbackMode;
        emit playbackModeChanged();
    }
}

void PlaylistModel::followNowPlaying()
{
    // The player republishes its record twice a second; the rows only care about which track of this
    // playlist it is on and whether it is paused.
    const std::optional<NowPlayingInfo> &info = m_controller.music()->nowPlaying();
    Playing playing;
    if (info && info->kind == m_kind) {
        playing.trackId = info->trackID;
        playing.paused = info->isPaused;
    }
    if (playing == m_playing)
        return;
    m_playing = playing;
    refreshRows({ CurrentRole, PausedRole, SymbolRole, StatusTextRole });
}

void PlaylistModel::refreshRows(const QList<int> &roles)
{
    if (!m_tracks.isEmpty())
        emit dataChanged(index(0), index(count() - 1), roles);
}
