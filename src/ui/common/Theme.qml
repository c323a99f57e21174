pragma Singleton
import QtQuick
import Quorvane.Common

// The look of every view in one place: the palette's colours, the tones laid over the dark glass (their
// opacities from the tone table, src/core/Tones.h), fixed colours, font and symbol sizes, opacities and
// corner radii, each named by the role it plays. Views read these instead of writing numbers
// (scripts/check-theme.sh fails on a colour, size, opacity or radius literal anywhere else).
QtObject {
    // The palette, chosen in the settings or derived from the background by the controller.
    readonly property color accent: AppController.appearance.accentColor
    readonly property color foreground: AppController.appearance.textColor
    readonly property color wheelBase: AppController.appearance.wheelBaseColor

    // White over the dark glass and sheets: text and symbols brightest first, then rules, outlines and
    // fills. Each opacity comes from the tone table that the C++ view state reads too.
    readonly property color textBright: Qt.rgba(1, 1, 1, Tones.textBright)
    readonly property color textPrimary: Qt.rgba(1, 1, 1, Tones.textPrimary)
    readonly property color textBody: Qt.rgba(1, 1, 1, Tones.textBody)
    readonly property color textParagraph: Qt.rgba(1, 1, 1, Tones.textParagraph)
    readonly property color textLead: Qt.rgba(1, 1, 1, Tones.textLead)
    readonly property color textNavigation: Qt.rgba(1, 1, 1, Tones.textNavigation)
    readonly property color textDescription: Qt.rgba(1, 1, 1, Tones.textDescription)
    readonly property color textSecondary: Qt.rgba(1, 1, 1, Tones.textSecondary)
    readonly property color textSubtitle: Qt.rgba(1, 1, 1, Tones.textSubtitle)
    readonly property color textCaption: Qt.rgba(1, 1, 1, Tones.textCaption)
    readonly property color textTertiary: Qt.rgba(1, 1, 1, Tones.textTertiary)
    readonly property color textFaint: Qt.rgba(1, 1, 1, Tones.textFaint)
    readonly property color placeholder: Qt.rgba(1, 1, 1, Tones.placeholder)
    readonly property color textDisabled: Qt.rgba(1, 1, 1, Tones.textDisabled)
    readonly property color highlight: Qt.rgba(1, 1, 1, Tones.highlight)
    readonly property color outlineStrong: Qt.rgba(1, 1, 1, Tones.outlineStrong)
    readonly property color controlOutline: Qt.rgba(1, 1, 1, Tones.controlOutline)
    readonly property color separator: Qt.rgba(1, 1, 1, Tones.separator)
    readonly property color outline: Qt.rgba(1, 1, 1, Tones.outline)
    readonly property color outlineFaint: Qt.rgba(1, 1, 1, Tones.outlineFaint)
    readonly property color controlFill: Qt.rgba(1, 1, 1, Tones.controlFill)
    readonly property color surfaceCard: Qt.rgba(1, 1, 1, Tones.surfaceCard)
    readonly property color surfaceFaint: Qt.rgba(1, 1, 1, Tones.surfaceFaint)

    // Black: text on the accent, then glass, shades and shadows, darkest first.
    readonly property color textOnAccent: Qt.rgba(0, 0, 0, Tones.textOnAccent)
    readonly property color shadeStrong: Qt.rgba(0, 0, 0, Tones.shadeStrong)
    readonly property color shadeHeavy: Qt.rgba(0, 0, 0, Tones.shadeHeavy)
    readonly property color dialogGlass: Qt.rgba(0, 0, 0, Tones.dialogGlass)
    readonly property color shadowDeep: Qt.rgba(0, 0, 0, Tones.shadowDeep)
    readonly property color scrim: Qt.rgba(0, 0, 0, Tones.scrim)
    readonly property color shadow: Qt.rgba(0, 0, 0, Tones.shadow)
    readonly property color glass: Qt.rgba(0, 0, 0, Tones.glass)
    readonly property color inputShade: Qt.rgba(0, 0, 0, Tones.inputShade)
    readonly property color wellShade: Qt.rgba(0, 0, 0, Tones.wellShade)
    readonly property color shadeFaint: Qt.rgba(0, 0, 0, Tones.shadeFaint)
    // Black at an opacity the controller computes, such as the overlay's gradient.
    function shade(opacity: real): color {
        return Qt.rgba(0, 0, 0, opacity);
    }
    // A colour seen through an opacity, for a text dimmed by its colour: under an item's opacity, Qt 6.4's
    // software adaptation blends each glyph span by span and hands it to another thread, over every frame of
    // a video background.
    function faded(tint: color, opacity: real): color {
        return Qt.rgba(tint.r, tint.g, tint.b, tint.a * opacity);
    }
    // A colour of the palette at an opacity of the tone table, whatever its own.
    function tinted(tint: color, opacity: real): color {
        return Qt.rgba(tint.r, tint.g, tint.b, opacity);
    }

    // Fixed colours.
    readonly property color sheetBackground: "#0A141A"
    readonly property color sheetGradientTop: "#101B24"
    readonly property color sheetGradientBottom: "#071015"
    readonly property color popupBackground: "#1B2630"
    readonly property color breakColour: Tones.breakColour
    readonly property color knob: "white"
    readonly property color backdropBase: "black"
    readonly property color textOnAccentStrong: "black"
    readonly property color mediaPlaceholder: Qt.rgba(0.04, 0.08, 0.1, 1)
    readonly property color tooltipBackground: Qt.rgba(0.11, 0.13, 0.16, 1)
    readonly property color knobPressed: Qt.rgba(0.85, 0.85, 0.85, 1)
    readonly property color danger: Qt.rgba(1, 0.42, 0.4, 0.9)
    readonly property color dangerPressed: Qt.rgba(1, 0.42, 0.4, 0.6)
    readonly property color warningText: Qt.rgba(1, 0.78, 0.45, 0.85)

    // A given colour, mostly the accent, at the opacity of its role. The colour is passed in because some
    // views show another one: the break colour, or the palette being edited in the settings.
    function opaque(tint: color): color {
        return tinted(tint, Tones.opaque);
    }
    function accentStrong(tint: color): color {
        return tinted(tint, Tones.accentStrong);
    }
    function accentBright(tint: color): color {
        return tinted(tint, Tones.accentBright);
    }
    function accentPressed(tint: color): color {
        return tinted(tint, Tones.accentPressed);
    }
    function accentMark(tint: color): color {
        return tinted(tint, Tones.accentMark);
    }
    function accentMarkStrong(tint: color): color {
        return tinted(tint, Tones.accentMarkStrong);
    }
    function accentMarkSoft(tint: color): color {
        return tinted(tint, Tones.accentMarkSoft);
    }
    function accentRule(tint: color): color {
        return tinted(tint, Tones.accentRule);
    }
    function accentLine(tint: color): color {
        return tinted(tint, Tones.accentLine);
    }
    function accentEdge(tint: color): color {
        return tinted(tint, Tones.accentEdge);
    }
    function accentBar(tint: color): color {
        return tinted(tint, Tones.accentBar);
    }
    function accentBorder(tint: color): color {
        return tinted(tint, Tones.accentBorder);
    }
    function accentOutline(tint: color): color {
        return tinted(tint, Tones.accentOutline);
    }
    function accentGlow(tint: color): color {
        return tinted(tint, Tones.accentGlow);
    }
    function accentFill(tint: color): color {
        return tinted(tint, Tones.accentFill);
    }
    function accentTint(tint: color): color {
        return tinted(tint, Tones.accentTint);
    }
    function accentWash(tint: color): color {
        return tinted(tint, Tones.accentWash);
    }
    function accentButtonPressed(tint: color): color {
        return Qt.darker(tint, 1.15);
    }

    // Font pixel sizes, smallest first.
    readonly property int fontMicro: 9
    readonly property int fontCaption: 10
    readonly property int fontSmall: 11
    readonly property int fontLabel: 12
    readonly property int fontBody: 13
    readonly property int fontControl: 14
    readonly property int fontEmphasis: 15
    readonly property int fontSubheading: 16
    readonly property int fontButton: 17
    readonly property int fontLetterTitle: 18
    readonly property int fontMonthTitle: 19
    readonly property int fontCalendarMetric: 20
    readonly property int fontActivityTitle: 21
    readonly property int fontPaneHeading: 22
    readonly property int fontSheetTitle: 23
    readonly property int fontPaneTitle: 25
    readonly property int fontCornerTitle: 26
    readonly property int fontViewTitle: 27
    readonly property int fontCurrency: 30
    readonly property int fontAmount: 34
    readonly property int fontMetric: 36
    readonly property int fontBreakTitle: 42
    readonly property int fontDisplay: 52

    // Font weights by role: headings, titles and buttons; labels and captions; large figures; marks that
    // must stand out; plain text; the timer.
    readonly property int fontWeightEmphasis: Font.DemiBold
    readonly property int fontWeightLabel: Font.Medium
    readonly property int fontWeightFigure: Font.Light
    readonly property int fontWeightStrong: Font.Bold
    readonly property int fontWeightRegular: Font.Normal
    readonly property int fontWeightTimer: Font.ExtraLight

    // Animation durations in milliseconds, shortest first: a hover, a focus or selection moving, the
    // interface fading, the now-playing card coming and going, the console snapping to its corner and the
    // overlay fading.
    readonly property int durationHover: 120
    readonly property int durationSelection: 160
    readonly property int durationFade: 220
    readonly property int durationPresence: 250
    readonly property int durationOverlay: 350

    // Corner radii, padding and gaps shared by one kind of element across the views; a radius of one
    // element's own shape (a dot, a bar, a round handle, a one-off) stays with that element, marked so.
    // The radii, smallest first: the Done button of a sheet's header; a push button; a cell of a grid to
    // pick from (a calendar's day, a symbol); a track's row in the playlist and its dragged copy; a tile of
    // the background library and its dragged copy; a row of a sheet's sidebar; a card; a dialog.
    readonly property real radiusDoneButton: 7
    readonly property real radiusButton: 8
    readonly property real radiusCell: 10
    readonly property real radiusTrackRow: 10
    readonly property real radiusBackgroundTile: 11
    readonly property real radiusSidebarRow: 11
    readonly property real radiusCard: 16
    readonly property real radiusDialog: 18
    readonly property real paddingCard: 18
    readonly property real spacingCards: 18

    // Symbols beyond the font sizes, and how much larger a symbol is drawn than the label it leads.
    readonly property int symbolLarge: 24
    readonly property int symbolDisplay: 38
    readonly property int symbolLift: 2

    // Whole items dimmed: a control pressed, busy or disabled (a header button further, a card's row less),
    // and a dragged row or tile.
    readonly property real opacityPressed: 0.78
    readonly property real opacityBusy: 0.7
    readonly property real opacityDisabled: 0.4
    readonly property real opacityInactive: 0.35
    readonly property real opacityDisabledSoft: 0.48
    readonly property real opacityDragged: 0.88
}
