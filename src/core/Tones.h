#pragma once

#include <QColor>
#include <QObject>

// The tone table: the opacities at which the views lay white, black and a palette colour over the dark glass,
// each named by the role it plays, and the fixed colours the view state computes with. The theme
// (Theme.qml) builds its colours from it and the C++ view state picks its colours from it, so that a role
// is one colour wherever it is drawn (scripts/check-theme.sh fails on a colour literal anywhere else).
// Opacities no more than 0.02 apart share one step: over the dark glass that moves a pixel by five levels of
// 255 at most, which no one sees.
class Tones : public QObject
{
    Q_OBJECT
    // White: text and symbols brightest first, then rules, outlines and fills.
    Q_PROPERTY(double textBright READ textBright CONSTANT FINAL)
    Q_PROPERTY(double textPrimary READ textPrimary CONSTANT FINAL)
    Q_PROPERTY(double textBody READ textBody CONSTANT FINAL)
    Q_PROPERTY(double textParagraph READ textParagraph CONSTANT FINAL)
    Q_PROPERTY(double textLead READ textLead CONSTANT FINAL)
    Q_PROPERTY(double textNavigation READ textNavigation CONSTANT FINAL)
    Q_PROPERTY(double textDescription READ textDescription CONSTANT FINAL)
    Q_PROPERTY(double textSecondary READ textSecondary CONSTANT FINAL)
    Q_PROPERTY(double textSubtitle READ textSubtitle CONSTANT FINAL)
    Q_PROPERTY(double textCaption READ textCaption CONSTANT FINAL)
    Q_PROPERTY(double textTertiary READ textTertiary CONSTANT FINAL)
    Q_PROPERTY(double textFaint READ textFaint CONSTANT FINAL)
    Q_PROPERTY(double placeholder READ placeholder CONSTANT FINAL)
    Q_PROPERTY(double textDisabled READ textDisabled CONSTANT FINAL)
    Q_PROPERTY(double highlight READ highlight CONSTANT FINAL)
    Q_PROPERTY(double outlineStrong READ outlineStrong CONSTANT FINAL)
    Q_PROPERTY(double controlOutline READ controlOutline CONSTANT FINAL)
    Q_PROPERTY(double separator READ separator CONSTANT FINAL)
    Q_PROPERTY(double outline READ outline CONSTANT FINAL)
    Q_PROPERTY(double outlineFaint READ outlineFaint CONSTANT FINAL)
    Q_PROPERTY(double controlFill READ controlFill CONSTANT FINAL)
    Q_PROPERTY(double surfaceCard READ surfaceCard CONSTANT FINAL)
    Q_PROPERTY(double surfaceFaint READ surfaceFaint CONSTANT FINAL)
    // Black: text on the accent, then glass, shades and shadows, darkest first.
    Q_PROPERTY(double textOnAccent READ textOnAccent CONSTANT FINAL)
    Q_PROPERTY(double shadeStrong READ shadeStrong CONSTANT FINAL)
    Q_PROPERTY(double shadeHeavy READ shadeHeavy CONSTANT FINAL)
    Q_PROPERTY(double dialogGlass READ dialogGlass CONSTANT FINAL)
    Q_PROPERTY(double shadeMid READ shadeMid CONSTANT FINAL)
    Q_PROPERTY(double shadowDeep READ shadowDeep CONSTANT FINAL)
    Q_PROPERTY(double scrim READ scrim CONSTANT FINAL)
    Q_PROPERTY(double shadow READ shadow CONSTANT FINAL)
    Q_PROPERTY(double glass READ glass CONSTANT FINAL)
    Q_PROPERTY(double inputShade READ inputShade CONSTANT FINAL)
    Q_PROPERTY(double wellShade READ wellShade CONSTANT FINAL)
    Q_PROPERTY(double shadeFaint READ shadeFaint CONSTANT FINAL)
    // A palette colour, mostly the accent: marks, outlines and washes, strongest first.
    Q_PROPERTY(double opaque READ opaque CONSTANT FINAL)
    Q_PROPERTY(double accentSelected READ accentSelected CONSTANT FINAL)
    Q_PROPERTY(double accentStrong READ accentStrong CONSTANT FINAL)
    Q_PROPERTY(double accentBright READ accentBright CONSTANT FINAL)
    Q_PROPERTY(double accentPressed READ accentPressed CONSTANT FINAL)
    Q_PROPERTY(double accentMark READ accentMark CONSTANT FINAL)
    Q_PROPERTY(double accentMarkStrong READ accentMarkStrong CONSTANT FINAL)
    Q_PROPERTY(double accentMarkSoft READ accentMarkSoft CONSTANT FINAL)
    Q_PROPERTY(double accentRule READ accentRule CONSTANT FINAL)
    Q_PROPERTY(double accentLine READ accentLine CONSTANT FINAL)
    Q_PROPERTY(double accentEdge READ accentEdge CONSTANT FINAL)
    Q_PROPERTY(double accentBar READ accentBar CONSTANT FINAL)
    Q_PROPERTY(double accentArea READ accentArea CONSTANT FINAL)
    Q_PROPERTY(double accentBorder READ accentBorder CONSTANT FINAL)
    Q_PROPERTY(double accentOutline READ accentOutline CONSTANT FINAL)
    Q_PROPERTY(double accentGlow READ accentGlow CONSTANT FINAL)
    Q_PROPERTY(double accentFill READ accentFill CONSTANT FINAL)
    Q_PROPERTY(double accentTint READ accentTint CONSTANT FINAL)
    Q_PROPERTY(double accentWash READ accentWash CONSTANT FINAL)
    Q_PROPERTY(QColor breakColour READ breakColour CONSTANT FINAL)
    Q_PROPERTY(QColor breakColourDeep READ breakColourDeep CONSTANT FINAL)

public:
    using QObject::QObject;

    // White: text and symbols brightest first, then rules, outlines and fills.
    static constexpr double textBright() { return 1.0; }
    static constexpr double textPrimary() { return 0.92; }
    static constexpr double textBody() { return 0.86; }
    static constexpr double textParagraph() { return 0.8; }
    static constexpr double textLead() { return 0.74; }
    static constexpr double textNavigation() { return 0.68; }
    static constexpr double textDescription() { return 0.62; }
    static constexpr double textSecondary() { return 0.56; }
    static constexpr double textSubtitle() { return 0.5; }
    static constexpr double textCaption() { return 0.44; }
    static constexpr double textTertiary() { return 0.38; }
    static constexpr double textFaint() { return 0.34; }
    static constexpr double placeholder() { return 0.3; }
    static constexpr double textDisabled() { return 0.25; }
    static constexpr double highlight() { return 0.2; }
    static constexpr double outlineStrong() { return 0.15; }
    static constexpr double controlOutline() { return 0.12; }
    static constexpr double separator() { return 0.1; }
    static constexpr double outline() { return 0.08; }
    static constexpr double outlineFaint() { return 0.07; }
    static constexpr double controlFill() { return 0.055; }
    static constexpr double surfaceCard() { return 0.04; }
    static constexpr double surfaceFaint() { return 0.02; }

    // Black: text on the accent, then glass, shades and shadows, darkest first.
    static constexpr double textOnAccent() { return 0.84; }
    static constexpr double shadeStrong() { return 0.76; }
    static constexpr double shadeHeavy() { return 0.68; }
    static constexpr double dialogGlass() { return 0.62; }
    static constexpr double shadeMid() { return 0.56; }
    static constexpr double shadowDeep() { return 0.48; }
    static constexpr double scrim() { return 0.4; }
    static constexpr double shadow() { return 0.34; }
    static constexpr double glass() { return 0.28; }
    static constexpr double inputShade() { return 0.22; }
    static constexpr double wellShade() { return 0.13; }
    static constexpr double shadeFaint() { return 0.1; }

    // A palette colour, mostly the accent: marks, outlines and washes, strongest first.
    static constexpr double opaque() { return 1.0; }
    static constexpr double accentSelected() { return 0.95; }
    static constexpr double accentStrong() { return 0.9; }
    static constexpr double accentBright() { return 0.84; }
    static constexpr double accentPressed() { return 0.78; }
    static constexpr double accentMark() { return 0.74; }
    static constexpr double accentMarkStrong() { return 0.7; }
    static constexpr double accentMarkSoft() { return 0.65; }
    static constexpr double accentRule() { return 0.6; }
    static constexpr double accentLine() { return 0.54; }
    static constexpr double accentEdge() { return 0.48; }
    static constexpr double accentBar() { return 0.45; }
    static constexpr double accentArea() { return 0.4; }
    static constexpr double accentBorder() { return 0.32; }
    static constexpr double accentOutline() { return 0.26; }
    static constexpr double accentGlow() { return 0.2; }
    static constexpr double accentFill() { return 0.15; }
    static constexpr double accentTint() { return 0.12; }
    static constexpr double accentWash() { return 0.1; }

    // The break's colour, and the deep end of its gradient in the statistics' bars.
    static QColor breakColour() { return QColor(0x77, 0xC7, 0xB4); }
    static QColor breakColourDeep() { return QColor(0x3E, 0x79, 0x6F); }

    static QColor white(double opacity) { return QColor::fromRgbF(1, 1, 1, float(opacity)); }
    static QColor black(double opacity) { return QColor::fromRgbF(0, 0, 0, float(opacity)); }
    // A colour of the palette at one of the opacities above, whatever its own.
    static QColor tinted(QColor colour, double opacity)
    {
        colour.setAlphaF(float(opacity));
        return colour;
    }
};
