#pragma once

#include "core/AppPalette.h"
#include "core/BackgroundMediaItem.h"
#include "ui/settings/ReorderableListModel.h"

#include <QColor>
#include <QList>
#include <QUrl>
#include <QUuid>
#include <optional>

class AppController;
class SettingsSession;

// The settings sheet's background library as the editor shows it: one row per item of the working copy,
// in display and rotation order. Every operation keeps the working copy's active id naming an item whose
// path is the background path, or both empty (the built-in background). Imports copy files at once, but
// the library itself changes only in the working copy: removed files stay on disk until the sheet is saved.
class BackgroundLibraryModel : public ReorderableListModel
{
    Q_OBJECT
    // "12 / 30".
    Q_PROPERTY(QString countText READ countText NOTIFY countTextChanged FINAL)
    Q_PROPERTY(bool canAdd READ canAdd NOTIFY countChanged FINAL)
    Q_PROPERTY(bool builtInActive READ builtInActive NOTIFY activeChanged FINAL)
    // The built-in background's picture for its tile; empty when the resource is missing.
    Q_PROPERTY(QUrl builtInUrl READ builtInUrl CONSTANT FINAL)
    Q_PROPERTY(bool rotatesEachRound READ rotatesEachRound NOTIFY rotatesEachRoundChanged FINAL)
    // The rotate switch needs at least two items.
    Q_PROPERTY(bool canRotate READ canRotate NOTIFY countChanged FINAL)
    // The rotate row is dimmed while its switch cannot be used.
    Q_PROPERTY(double rotateRowOpacity READ rotateRowOpacity NOTIFY countChanged FINAL)
    // The accent while rotation is on, else the secondary white.
    Q_PROPERTY(QColor rotateSymbolColor READ rotateSymbolColor NOTIFY rotateSymbolColorChanged FINAL)

public:
    static constexpr int capacity = 30;

    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        IsVideoRole,
        // "VIDEO" or "IMAGE", a key of the string table.
        BadgeKeyRole,
        IsActiveRole,
        // image://thumbnails/<percent-encoded path>
        ThumbnailRole,
        // Shown until the thumbnail is ready: "film.fill" for a video, else "photo.fill".
        PlaceholderSymbolRole,
    };

    BackgroundLibraryModel(SettingsSession &session, AppController &controller, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_items.size()); }
    QString countText() const;
    bool canAdd() const { return count() < capacity; }
    bool builtInActive() const;
    static QUrl builtInUrl();
    bool rotatesEachRound() const;
    bool canRotate() const { return count() >= 2; }
    double rotateRowOpacity() const { return canRotate() ? 1.0 : 0.48; }
    QColor rotateSymbolColor() const;

    Q_INVOKABLE void selectDefault();
    Q_INVOKABLE void select(const QString &itemId);
    void select(const BackgroundMediaItem &item);
    Q_INVOKABLE void remove(const QString &itemId);
    // Adds items the controller has just imported, as many as fit, and makes the first of them active.
    void append(const QList<BackgroundMediaItem> &items);
    // The open-file dialog for as many files as still fit.
    Q_INVOKABLE void addMedia();
    // Files dropped on the grid. False when the library is full or no local file is among them. Otherwise
    // each file that fits is imported on its own on a later turn of the event loop (the drop event returns
    // at once to the file manager), checking the room again then; the last one imported becomes active.
    Q_INVOKABLE bool dropUrls(const QList<QUrl> &urls);
    Q_INVOKABLE void setRotatesEachRound(bool rotates);
    Q_INVOKABLE void openFolder();

    static QString thumbnailAddress(const QString &path);

signals:
    void countChanged();
    void countTextChanged();
    void activeChanged();
    void rotatesEachRoundChanged();
    void rotateSymbolColorChanged();

private:
    // Writes the rows into the working copy with `active` (none: the built-in background) as the active
    // item; the rows have already been changed with their signals.
    void commit(const std::optional<BackgroundMediaItem> &active);
    std::optional<DragReorder::Move> moveOnEnter(const QUuid &targetId) const override;
    void moveEntry(qsizetype from, qsizetype to) override;
    // Writes the rows into the working copy, the active item kept.
    void commitRows() override;
    void importDropped(const QUrl &url);
    // Follows the working copy, changed here or by another pane.
    void followDraft();

    SettingsSession &m_session;
    AppController &m_controller;
    QList<BackgroundMediaItem> m_items;
    std::optional<QUuid> m_activeId;
    bool m_rotates = false;
    // The count the view last heard of; rows change before the working copy follows them.
    int m_announcedCount = 0;
};
