#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

struct AppPreferences;
class SettingsSession;

// The appearance pane's values, ready to show in the open sheet's language and accent: the background
// overlay and its strength, the video-sound option and the palette. They follow the working copy, so a
// background picked in the library editor changes the video row at once. The controls write into the
// working copy only when the user moves them, so a strength outside the slider's range from a
// hand-edited file stays as it is until then.
class AppearanceSettings : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("ui/settings/SettingsSession.h")
    Q_PROPERTY(SettingsSession *session READ session WRITE setSession NOTIFY sessionChanged FINAL)

    Q_PROPERTY(bool overlayEnabled READ overlayEnabled NOTIFY valuesChanged FINAL)
    // The strength as the main window applies it: within 0 to 1, 0 for a stored value that is not a number.
    Q_PROPERTY(double overlayOpacity READ overlayOpacity NOTIFY valuesChanged FINAL)
    Q_PROPERTY(double overlayMinimum READ overlayMinimum CONSTANT FINAL)
    Q_PROPERTY(double overlayMaximum READ overlayMaximum CONSTANT FINAL)
    // "37%": the whole percent of overlayOpacity, cut toward zero.
    Q_PROPERTY(QString overlayPercentText READ overlayPercentText NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QString overlaySymbol READ overlaySymbol NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QColor overlaySymbolColor READ overlaySymbolColor NOTIFY valuesChanged FINAL)
    Q_PROPERTY(double overlayRowOpacity READ overlayRowOpacity NOTIFY valuesChanged FINAL)

    Q_PROPERTY(bool backgroundIsVideo READ backgroundIsVideo NOTIFY valuesChanged FINAL)
    Q_PROPERTY(bool videoAudioTakesPriority READ videoAudioTakesPriority NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QString videoHint READ videoHint NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QString videoSymbol READ videoSymbol NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QColor videoSymbolColor READ videoSymbolColor NOTIFY valuesChanged FINAL)
    Q_PROPERTY(double videoRowOpacity READ videoRowOpacity NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QString videoBadge READ videoBadge NOTIFY valuesChanged FINAL)

    Q_PROPERTY(bool autoPalette READ autoPalette NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QColor wheelBaseColor READ wheelBaseColor NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QColor accentColor READ accentColor NOTIFY valuesChanged FINAL)
    Q_PROPERTY(QColor textColor READ textColor NOTIFY valuesChanged FINAL)

public:
    enum class PaletteField { WheelBase, Accent, Text };
    Q_ENUM(PaletteField)

    using QObject::QObject;

    SettingsSession *session() const { return m_session; }
    void setSession(SettingsSession *session);

    bool overlayEnabled() const;
    double overlayOpacity() const;
    static double overlayMinimum() { return 0.2; }
    static double overlayMaximum() { return 0.82; }
    QString overlayPercentText() const;
    QString overlaySymbol() const;
    QColor overlaySymbolColor() const;
    double overlayRowOpacity() const;

    // The working copy's background is a movie, by its file name.
    bool backgroundIsVideo() const;
    bool videoAudioTakesPriority() const;
    QString videoHint() const;
    QString videoSymbol() const;
    QColor videoSymbolColor() const;
    double videoRowOpacity() const;
    QString videoBadge() const;

    bool autoPalette() const;
    QColor wheelBaseColor() const;
    QColor accentColor() const;
    QColor textColor() const;

    Q_INVOKABLE void setOverlayEnabled(bool enabled);
    // Kept within the slider's range; a value that is not a number changes nothing.
    Q_INVOKABLE void setOverlayOpacity(double opacity);
    Q_INVOKABLE void setVideoAudioTakesPriority(bool takesPriority);
    // Only the switch: the palette itself stays as it is.
    Q_INVOKABLE void setAutoPalette(bool automatic);
    // Turns the automatic palette on and derives the palette from the background, opacity included.
    // A background that cannot be read keeps the palette; the built-in background gives the default one.
    // Reads the file on the calling thread: a picture or a video's first frame, sampled small.
    Q_INVOKABLE void reanalyse();
    // Stores the colour's red, green and blue as "#RRGGBB"; its opacity is dropped, and a colour that has
    // no sRGB value is stored as "#FFFFFF". Nothing else of the palette changes.
    Q_INVOKABLE void setPaletteColor(AppearanceSettings::PaletteField field, const QColor &color);

signals:
    void sessionChanged();
    void valuesChanged();

private:
    // Changes the working copy through the session; without one, nothing.
    void editDraft(const std::function<void(AppPreferences &)> &edit);

    QPointer<SettingsSession> m_session;
};
