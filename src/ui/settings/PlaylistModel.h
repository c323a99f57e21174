#pragma once

#include "core/AudioPlaylist.h"
#include "core/AudioPlaylistKind.h"
#include "ui/settings/ReorderableListModel.h"

#include <QList>
#include <QUrl>
#include <QUuid>
#include <QVariantList>
#include <optional>

class AppController;
class SettingsSession;
struct AppPreferences;

// One playlist of the settings sheet's working copy (focus or break music) as its editor shows it: one
// row per track, in play order. Every edit lands in the working copy and waits there for Save; imports
// copy their files at once, but nothing here deletes a file or touches what the player plays.
class PlaylistModel : public ReorderableListModel
{
    Q_OBJECT
    // The key of the rows' own drags: one per editor, so a row dragged onto the other playlist's
    // rows moves nothing.
    Q_PROPERTY(QString rowDragKey READ rowDragKey CONSTANT FINAL)
    Q_PROPERTY(bool isEnabled READ isEnabled NOTIFY isEnabledChanged FINAL)
    // A playlist that is off is dimmed, though it stays editable.
    Q_PROPERTY(double cardOpacity READ cardOpacity NOTIFY isEnabledChanged FINAL)
    // "sequential" or "shuffle".
    Q_PROPERTY(QString playbackMode READ playbackModeName NOTIFY playbackModeChanged FINAL)
    // The mode picker works from two tracks on; below that it shows the stored mode, disabled.
    Q_PROPERTY(bool modeEnabled READ modeEnabled NOTIFY countChanged FINAL)
    // The picker's choices in order: maps of "mode" (the raw value), "title" and "symbol".
    Q_PROPERTY(QVariantList modes READ modes NOTIFY modesChanged FINAL)
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY countChanged FINAL)
    // "3 首" / "3 tracks".
    Q_PROPERTY(QString countText READ countText NOTIFY countTextChanged FINAL)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        // The path's suffix in upper case, empty without one.
        ExtensionRole,
        // The player's track is this row's, in this playlist.
        CurrentRole,
        PausedRole,
        // "waveform" on the player's track, else "music.note".
        SymbolRole,
        // "正在播放" / "Playing" or "已暂停" / "Paused" on the player's track, else empty.
        StatusTextRole,
    };

    PlaylistModel(SettingsSession &session, AppController &controller, AudioPlaylistKind kind,
        QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    AudioPlaylistKind kind() const { return m_kind; }
    QString rowDragKey() const;
    bool isEnabled() const;
    double cardOpacity() const { return m_enabled ? 1.0 : 0.72; }
    AudioPlaybackMode playbackMode() const;
    QString playbackModeName() const;
    bool modeEnabled() const { return count() >= 2; }
    QVariantList modes() const;
    int count() const { return int(m_tracks.size()); }
    bool isEmpty() const { return m_tracks.isEmpty(); }
    QString countText() const;

    Q_INVOKABLE void setEnabled(bool enabled);
    // A raw value; any other text changes nothing.
    Q_INVOKABLE void setPlaybackMode(const QString &mode);
    // Stores the text as typed: a blank name is kept here and named after its file when saved.
    Q_INVOKABLE void rename(int row, const QString &name);
    // Drops every entry with the row's id; the file stays until a save no longer refers to it.
    Q_INVOKABLE void remove(int row);
    // Appends what the user picks in the open-file dialog, in order. A failed import appends nothing.
    Q_INVOKABLE void addFromPanel();
    // Files dropped on the list. False when none is a local file. Otherwise each is imported on its own on
    // a later turn of the event loop (the drop returns at once to the file manager) and appended to the
    // list as it is then; a file that fails costs only itself.
    Q_INVOKABLE bool dropUrls(const QList<QUrl> &urls);

signals:
    void isEnabledChanged();
    void playbackModeChanged();
    void modesChanged();
    void countChanged();
    void countTextChanged();

private:
    struct Playing
    {
        std::optional<QUuid> trackId;
        bool paused = false;
        friend bool operator==(const Playing &, const Playing &) = default;
    };

    // "focus" or "reminder".
    QString kindName() const;
    const AudioPlaylist &playlist() const;
    AudioPlaylist &playlistIn(AppPreferences &preferences) const;
    std::optional<DragReorder::Move> moveOnEnter(const QUuid &targetId) const override;
    void moveEntry(qsizetype from, qsizetype to) override;
    // Writes the rows into the working copy; the rows have already been changed with their signals.
    void commitRows() override;
    void append(const QList<AudioTrack> &tracks);
    void importDropped(const QUrl &url);
    // Follows the working copy, changed here or elsewhere.
    void followDraft();
    void followNowPlaying();
    void refreshRows(const QList<int> &roles);

    SettingsSession &m_session;
    AppController &m_controller;
    const AudioPlaylistKind m_kind;
    QList<AudioTrack> m_tracks;
    bool m_enabled = false;
    AudioPlaybackMode m_mode = AudioPlaybackMode::sequential;
    Playing m_playing;
};
