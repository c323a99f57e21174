#pragma once

#include "core/AppLanguage.h"
#include "core/NowPlayingInfo.h"

#include <QColor>
#include <QObject>
#include <QString>

// One of the now-playing card's round buttons.
struct NowPlayingButton
{
    Q_GADGET
    Q_PROPERTY(QString symbol MEMBER symbol CONSTANT FINAL)
    Q_PROPERTY(QColor symbolColor MEMBER symbolColor CONSTANT FINAL)
    Q_PROPERTY(QColor fill MEMBER fill CONSTANT FINAL)
    Q_PROPERTY(QColor stroke MEMBER stroke CONSTANT FINAL)
    Q_PROPERTY(bool enabled MEMBER enabled CONSTANT FINAL)
    Q_PROPERTY(QString label MEMBER label CONSTANT FINAL)
    Q_PROPERTY(QString value MEMBER value CONSTANT FINAL)
    Q_PROPERTY(QString tooltipTitle MEMBER tooltipTitle CONSTANT FINAL)
    Q_PROPERTY(QString tooltipDetail MEMBER tooltipDetail CONSTANT FINAL)
    Q_PROPERTY(bool checkable MEMBER checkable CONSTANT FINAL)
    Q_PROPERTY(bool checked MEMBER checked CONSTANT FINAL)

public:
    QString symbol;
    QColor symbolColor;
    QColor fill;
    QColor stroke;
    bool enabled = true;
    // Accessibility label and value; the value is empty where the button has none. A switch keeps its
    // label whatever its state, which it tells as checked, so that a screen reader speaks each change.
    QString label;
    QString value;
    QString tooltipTitle;
    QString tooltipDetail;
    bool checkable = false;
    bool checked = false;

    friend bool operator==(const NowPlayingButton &, const NowPlayingButton &) = default;
};

// What the now-playing card shows for the player's record, ready to draw: texts in the interface
// language, the seek bar's geometry for the card's width and the drag in progress, and the buttons.
struct NowPlayingPresentation
{
    Q_GADGET
    Q_PROPERTY(QString statusText MEMBER statusText CONSTANT FINAL)
    Q_PROPERTY(QString title MEMBER title CONSTANT FINAL)
    Q_PROPERTY(QString positionText MEMBER positionText CONSTANT FINAL)
    Q_PROPERTY(QString separator MEMBER separator CONSTANT FINAL)
    Q_PROPERTY(QString modeWord MEMBER modeWord CONSTANT FINAL)
    Q_PROPERTY(QString fileExtension MEMBER fileExtension CONSTANT FINAL)
    Q_PROPERTY(bool showsExtension MEMBER showsExtension CONSTANT FINAL)
    Q_PROPERTY(QString timeLabel MEMBER timeLabel CONSTANT FINAL)
    Q_PROPERTY(double displayedProgress MEMBER displayedProgress CONSTANT FINAL)
    Q_PROPERTY(double elapsedProgress MEMBER elapsedProgress CONSTANT FINAL)
    Q_PROPERTY(double fillWidth MEMBER fillWidth CONSTANT FINAL)
    Q_PROPERTY(double knobOffset MEMBER knobOffset CONSTANT FINAL)
    Q_PROPERTY(double seekBarHeight MEMBER seekBarHeight CONSTANT FINAL)
    Q_PROPERTY(QColor seekTrackColor MEMBER seekTrackColor CONSTANT FINAL)
    Q_PROPERTY(bool showsSeekKnob MEMBER showsSeekKnob CONSTANT FINAL)
    Q_PROPERTY(QString volumeSymbol MEMBER volumeSymbol CONSTANT FINAL)
    Q_PROPERTY(QColor volumeSymbolColor MEMBER volumeSymbolColor CONSTANT FINAL)
    Q_PROPERTY(QString volumeText MEMBER volumeText CONSTANT FINAL)
    Q_PROPERTY(QString volumeLabel MEMBER volumeLabel CONSTANT FINAL)
    Q_PROPERTY(QString progressLabel MEMBER progressLabel CONSTANT FINAL)
    Q_PROPERTY(QString summary MEMBER summary CONSTANT FINAL)
    Q_PROPERTY(double elapsedSeconds MEMBER elapsedSeconds CONSTANT FINAL)
    Q_PROPERTY(double lengthSeconds MEMBER lengthSeconds CONSTANT FINAL)
    Q_PROPERTY(double seekStepSeconds MEMBER seekStepSeconds CONSTANT FINAL)
    Q_PROPERTY(double incrementFraction MEMBER incrementFraction CONSTANT FINAL)
    Q_PROPERTY(double decrementFraction MEMBER decrementFraction CONSTANT FINAL)
    Q_PROPERTY(int headerSpacing MEMBER headerSpacing CONSTANT FINAL)
    Q_PROPERTY(NowPlayingButton previous MEMBER previous CONSTANT FINAL)
    Q_PROPERTY(NowPlayingButton playPause MEMBER playPause CONSTANT FINAL)
    Q_PROPERTY(NowPlayingButton next MEMBER next CONSTANT FINAL)
    Q_PROPERTY(NowPlayingButton mode MEMBER mode CONSTANT FINAL)
    Q_PROPERTY(NowPlayingButton repeatOne MEMBER repeatOne CONSTANT FINAL)

public:
    struct State
    {
        NowPlayingInfo info;
        AppLanguage language = AppLanguage::chinese;
        double volume = 0;
        QColor accent;
        // The card's width and the seek strip's measured width.
        double width = 0;
        double barWidth = 0;
        bool isSeeking = false;
        double seekPreviewProgress = 0;
        bool progressIsHovered = false;

        friend bool operator==(const State &, const State &) = default;
    };

    static NowPlayingPresentation make(const State &state);
    // Whole minutes and seconds, "%d:%02d", minutes not wrapped into hours; below 0 or not finite, "0:00".
    static QString format(double seconds);
    // The fraction of the bar under x: not finite counts as 0, then clamped to [0, 1].
    static double seekFraction(double x, double barWidth);

    QString statusText;
    QString title;
    QString positionText;
    QString separator;
    QString modeWord;
    // Empty when the track has none; the second separator goes with it.
    QString fileExtension;
    bool showsExtension = false;
    QString timeLabel;
    double displayedProgress = 0;
    // The player's own position, 0 to 1, whatever a drag previews.
    double elapsedProgress = 0;
    // The seek bar as a screen reader reads it: the player's own position and the track's length, in
    // seconds (the length at least 1, where it is not known), stepped by ten seconds.
    double elapsedSeconds = 0;
    double lengthSeconds = 1;
    double seekStepSeconds = 10;
    double fillWidth = 0;
    double knobOffset = 0;
    // The bar's active look, while a drag is on or the pointer is over it: taller, lighter, with its knob.
    double seekBarHeight = 3;
    QColor seekTrackColor;
    bool showsSeekKnob = false;
    QString volumeSymbol;
    QColor volumeSymbolColor;
    QString volumeText;
    QString volumeLabel;
    QString progressLabel;
    // The card's accessible name.
    QString summary;
    // Ten seconds of the track as a fraction, and the seeks an accessible increment and decrement send.
    double accessibilityStep = 0;
    double incrementFraction = 0;
    double decrementFraction = 0;
    int headerSpacing = 6;
    NowPlayingButton previous;
    NowPlayingButton playPause;
    NowPlayingButton next;
    NowPlayingButton mode;
    NowPlayingButton repeatOne;

    friend bool operator==(const NowPlayingPresentation &, const NowPlayingPresentation &) = default;
};
