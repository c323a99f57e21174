#pragma once

#include "app/PreferencesEdit.h"

#include <QColor>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QUuid>

// The settings as the views show them (language, window title, colours, overlay, video sound, motion)
// and the background: the file shown now and the library as the running program steps through it.
// It reads the settings in force and changes them only through the edit it is given.
class Appearance : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString language READ languageName NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(QString windowTitle READ windowTitle NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(QColor accentColor READ accentColor NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(QColor textColor READ textColor NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(QColor wheelBaseColor READ wheelBaseColor NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(bool backgroundOverlayEnabled READ backgroundOverlayEnabled NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(double overlayOpacity READ overlayOpacity NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(bool videoAudioTakesPriority READ videoAudioTakesPriority NOTIFY preferencesChanged FINAL)
    Q_PROPERTY(bool reduceMotion READ reduceMotion NOTIFY reduceMotionChanged FINAL)
    Q_PROPERTY(QUrl backgroundURL READ backgroundURL NOTIFY backgroundURLChanged FINAL)
    Q_PROPERTY(QString backgroundIdentity READ backgroundIdentity NOTIFY backgroundURLChanged FINAL)
    // The corner controls' background buttons work only with more than one background to go to.
    Q_PROPERTY(bool canNavigateBackgrounds READ canNavigateBackgrounds NOTIFY preferencesChanged FINAL)

public:
    // The built-in background, used when no background file is chosen or the chosen one is gone.
    static QString defaultBackgroundResource();
    // The built-in background's address; empty when the resource is missing.
    static QUrl defaultBackgroundURL();

    // `preferences`: the settings in force, whose changes reach preferencesChanged(); `root`: the data
    // folder; `reduceMotion`: the desktop asked for less motion.
    Appearance(const AppPreferences &preferences, PreferencesEdit edit, QString root, bool reduceMotion);

    QString languageName() const;
    QString windowTitle() const;
    QColor accentColor() const;
    QColor textColor() const;
    QColor wheelBaseColor() const;
    bool backgroundOverlayEnabled() const;
    double overlayOpacity() const;
    bool videoAudioTakesPriority() const;
    bool reduceMotion() const { return m_reduceMotion; }
    // The desktop's answer comes after the start, which does not wait for it.
    void setReduceMotion(bool reduceMotion);
    QUrl backgroundURL() const { return m_backgroundURL; }
    // Names the background view: a new name builds a new view, so a new video starts from its beginning.
    QString backgroundIdentity() const;
    bool canNavigateBackgrounds() const;
    // A video background plays with its own sound, which silences the playlists.
    bool videoSoundTakesPriority() const;

    // Looks again for the chosen background file, which may come or go at any time.
    void refreshBackgroundURL();
    Q_INVOKABLE void selectAdjacentBackground(bool forward);
    void advanceAfterCompletedRound();
    // Matches the library to the files in the background folder.
    Q_INVOKABLE void refreshBackgroundLibraryFromDisk();
    // The settings were saved: a background video that could not be played is tried once more.
    void retryBackground() { emit backgroundRetryRequested(); }

signals:
    void preferencesChanged();
    void backgroundURLChanged();
    void backgroundRetryRequested();
    void reduceMotionChanged();
    // The background changed setting that should reach the disk, quietly: a failure is tried again later.
    void preferencesToWrite();
    // The user stepped to a background that silences the playlists, or to one that no longer does.
    void videoSoundChanged();

private:
    void selectBackground(const QUuid &id);

    const AppPreferences &m_preferences;
    PreferencesEdit m_edit;
    const QString m_root;
    bool m_reduceMotion;
    QUrl m_backgroundURL;
};
