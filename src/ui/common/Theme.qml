pragma Singleton
import QtQuick
import Quorvane.Common

// The look of every view in one place: the palette's colours, the tones laid over the dark glass, fixed
// colours and font sizes, each named by the role it plays. Views read these instead of writing numbers
// (scripts/check-theme.sh fails on a colour or font-size literal anywhere else).
QtObject {
    // The palette, chosen in the settings or derived from the background by the controller.
    readonly property color accent: AppController.appearance.accentColor
    readonly property color foreground: AppController.appearance.textColor
    readonly property color wheelBase: AppController.appearance.wheelBaseColor

    // Text and symbols over the dark glass and sheets, brightest first.
    readonly property color textBright: Qt.rgba(1, 1, 1, 1)
    readonly property color textPrimary: Qt.rgba(1, 1, 1, 0.94)
    readonly property color segmentLabelChecked: Qt.rgba(1, 1, 1, 0.94)
    readonly property color textControl: Qt.rgba(1, 1, 1, 0.9)
    readonly property color textBody: Qt.rgba(1, 1, 1, 0.88)
    readonly property color secondaryLabel: Qt.rgba(1, 1, 1, 0.88)
    readonly property color notesText: Qt.rgba(1, 1, 1, 0.84)
    readonly property color textParagraph: Qt.rgba(1, 1, 1, 0.82)
    readonly property color textAction: Qt.rgba(1, 1, 1, 0.8)
    readonly property color textMessage: Qt.rgba(1, 1, 1, 0.78)
    readonly property color toggleOffLabel: Qt.rgba(1, 1, 1, 0.76)
    readonly property color textLead: Qt.rgba(1, 1, 1, 0.72)
    readonly property color textNavigation: Qt.rgba(1, 1, 1, 0.7)
    readonly property color textNote: Qt.rgba(1, 1, 1, 0.66)
    readonly property color tableCellMuted: Qt.rgba(1, 1, 1, 0.64)
    readonly property color metricLabel: Qt.rgba(1, 1, 1, 0.62)
    readonly property color segmentLabel: Qt.rgba(1, 1, 1, 0.62)
    readonly property color textDescription: Qt.rgba(1, 1, 1, 0.6)
    readonly property color secondaryLabelPressed: Qt.rgba(1, 1, 1, 0.6)
    readonly property color nowPlayingLabel: Qt.rgba(1, 1, 1, 0.58)
    readonly property color textHint: Qt.rgba(1, 1, 1, 0.56)
    readonly property color textSecondary: Qt.rgba(1, 1, 1, 0.55)
    readonly property color completionHint: Qt.rgba(1, 1, 1, 0.54)
    readonly property color chartAxisLabel: Qt.rgba(1, 1, 1, 0.5)
    readonly property color notesHeadingFocused: Qt.rgba(1, 1, 1, 0.5)
    readonly property color textSubtitle: Qt.rgba(1, 1, 1, 0.48)
    readonly property color textCaption: Qt.rgba(1, 1, 1, 0.46)
    readonly property color badgeMuted: Qt.rgba(1, 1, 1, 0.44)
    readonly property color calendarDayNote: Qt.rgba(1, 1, 1, 0.42)
    readonly property color textTertiary: Qt.rgba(1, 1, 1, 0.4)
    readonly property color textSectionLabel: Qt.rgba(1, 1, 1, 0.38)
    readonly property color calendarFootnote: Qt.rgba(1, 1, 1, 0.36)
    readonly property color placeholderStrong: Qt.rgba(1, 1, 1, 0.35)
    readonly property color calendarWeekday: Qt.rgba(1, 1, 1, 0.34)
    readonly property color fieldLabel: Qt.rgba(1, 1, 1, 0.32)
    readonly property color placeholder: Qt.rgba(1, 1, 1, 0.3)
    readonly property color notesHeading: Qt.rgba(1, 1, 1, 0.3)
    readonly property color textEmpty: Qt.rgba(1, 1, 1, 0.26)
    readonly property color placeholderIdle: Qt.rgba(1, 1, 1, 0.2)
    readonly property color textOnLight: Qt.rgba(0, 0, 0, 0.85)
    readonly property color textOnAccent: Qt.rgba(0, 0, 0, 0.82)
    readonly property color actionLabelOnAccent: Qt.rgba(0, 0, 0, 0.78)
    readonly property color textOnAccentStrong: "black"
    readonly property color warningText: Qt.rgba(1, 0.78, 0.45, 0.85)

    // White washes: surfaces, controls and rules, faintest first.
    readonly property color notesFieldIdle: Qt.rgba(1, 1, 1, 0.018)
    readonly property color dayCellFill: Qt.rgba(1, 1, 1, 0.025)
    readonly property color rowHoverFill: Qt.rgba(1, 1, 1, 0.035)
    readonly property color surfaceCard: Qt.rgba(1, 1, 1, 0.045)
    readonly property color addButtonFill: Qt.rgba(1, 1, 1, 0.045)
    readonly property color surfaceSubtle: Qt.rgba(1, 1, 1, 0.05)
    readonly property color journalHeaderRule: Qt.rgba(1, 1, 1, 0.16 * 0.32)
    readonly property color surfaceRaised: Qt.rgba(1, 1, 1, 0.055)
    readonly property color notesFieldFocused: Qt.rgba(1, 1, 1, 0.055)
    readonly property color calendarRule: Qt.rgba(1, 1, 1, 0.16 * 0.35)
    readonly property color controlFill: Qt.rgba(1, 1, 1, 0.06)
    readonly property color segmentFill: Qt.rgba(1, 1, 1, 0.06)
    readonly property color symbolButtonFill: Qt.rgba(1, 1, 1, 0.06)
    readonly property color fieldRule: Qt.rgba(1, 1, 1, 0.07)
    readonly property color journalDivider: Qt.rgba(1, 1, 1, 0.16 * 0.45)
    readonly property color statisticsHeaderRule: Qt.rgba(1, 1, 1, 0.5 * 0.16)
    readonly property color addButtonFillPressed: Qt.rgba(1, 1, 1, 0.08)
    readonly property color tableRowRule: Qt.rgba(1, 1, 1, 0.28 * 0.3)
    readonly property color storyDivider: Qt.rgba(1, 1, 1, 0.35 * 0.25)
    readonly property color separator: Qt.rgba(1, 1, 1, 0.1)
    readonly property color segmentFillPressed: Qt.rgba(1, 1, 1, 0.1)
    readonly property color trashHoverFill: Qt.rgba(1, 1, 1, 0.1)
    readonly property color buttonFill: Qt.rgba(1, 1, 1, 0.11)
    readonly property color cornerDivider: Qt.rgba(1, 1, 1, 0.45 * 0.25)
    readonly property color separatorStrong: Qt.rgba(1, 1, 1, 0.12)
    readonly property color doneButtonFill: Qt.rgba(1, 1, 1, 0.12)
    readonly property color symbolButtonFillPressed: Qt.rgba(1, 1, 1, 0.12)
    readonly property color dashedOutline: Qt.rgba(1, 1, 1, 0.13)
    readonly property color trackFill: Qt.rgba(1, 1, 1, 0.16)
    readonly property color buttonFillHover: Qt.rgba(1, 1, 1, 0.16)
    readonly property color segmentFillChecked: Qt.rgba(1, 1, 1, 0.18)
    readonly property color doneButtonFillPressed: Qt.rgba(1, 1, 1, 0.2)
    readonly property color glassHighlightSoft: Qt.rgba(1, 1, 1, 0.2)
    readonly property color volumeGroove: Qt.rgba(1, 1, 1, 0.2)
    readonly property color glassHighlight: Qt.rgba(1, 1, 1, 0.22)

    // Outlines, faintest first.
    readonly property color dayCellOutline: Qt.rgba(1, 1, 1, 0.05)
    readonly property color fieldOutline: Qt.rgba(1, 1, 1, 0.065)
    readonly property color outlineFaint: Qt.rgba(1, 1, 1, 0.07)
    readonly property color outline: Qt.rgba(1, 1, 1, 0.08)
    readonly property color metricCardOutline: Qt.rgba(1, 1, 1, 0.09)
    readonly property color glassOutline: Qt.rgba(1, 1, 1, 0.1)
    readonly property color controlOutline: Qt.rgba(1, 1, 1, 0.12)
    readonly property color outlineStrong: Qt.rgba(1, 1, 1, 0.14)
    readonly property color cornerGlassOutline: Qt.rgba(1, 1, 1, 0.15)
    readonly property color secondaryButtonOutline: Qt.rgba(1, 1, 1, 0.16)
    readonly property color switchOnOutline: Qt.rgba(1, 1, 1, 0.2)
    readonly property color swatchOutline: Qt.rgba(1, 1, 1, 0.28)
    readonly property color fieldOutlineFocused: Qt.rgba(1, 1, 1, 0.3)
    readonly property color selectedSymbolOutline: Qt.rgba(1, 1, 1, 0.35)
    readonly property color goldButtonOutline: Qt.rgba(1, 1, 1, 0.4)
    readonly property color timelineDotOutline: Qt.rgba(1, 1, 1, 0.52)
    readonly property color seekKnobOutline: Qt.rgba(1, 1, 1, 0.72)
    readonly property color focusRing: Qt.rgba(1, 1, 1, 0.85)
    readonly property color knobOutline: Qt.rgba(0, 0, 0, 0.2)

    // Shades, shadows and scrims, lightest first.
    readonly property color editorHeaderShade: Qt.rgba(0, 0, 0, 0.1)
    readonly property color sidebarShade: Qt.rgba(0, 0, 0, 0.12)
    readonly property color editorShade: Qt.rgba(0, 0, 0, 0.13)
    readonly property color wellShade: Qt.rgba(0, 0, 0, 0.14)
    readonly property color inputShade: Qt.rgba(0, 0, 0, 0.2)
    readonly property color handleShadow: Qt.rgba(0, 0, 0, 0.24)
    readonly property color glassButtonFill: Qt.rgba(0, 0, 0, 0.26)
    readonly property color consoleGlass: Qt.rgba(0, 0, 0, 0.26)
    readonly property color headerButtonFill: Qt.rgba(0, 0, 0, 0.28)
    readonly property color cornerGlass: Qt.rgba(0, 0, 0, 0.28)
    readonly property color artworkShade: Qt.rgba(0, 0, 0, 0.3)
    readonly property color nowPlayingGlass: Qt.rgba(0, 0, 0, 0.32)
    readonly property color shadow: Qt.rgba(0, 0, 0, 0.34)
    readonly property color consoleShadow: Qt.rgba(0, 0, 0, 0.36)
    readonly property color scrim: Qt.rgba(0, 0, 0, 0.4)
    readonly property color glassButtonFillPressed: Qt.rgba(0, 0, 0, 0.4)
    readonly property color tooltipShadow: Qt.rgba(0, 0, 0, 0.48)
    readonly property color tileCaptionShade: Qt.rgba(0, 0, 0, 0.62)
    readonly property color dialogGlass: Qt.rgba(0, 0, 0, 0.62)
    readonly property color selectedDayMark: Qt.rgba(0, 0, 0, 0.68)
    readonly property color removeButtonFill: Qt.rgba(0, 0, 0, 0.75)
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

    // Fixed colours.
    readonly property color sheetBackground: "#0A141A"
    readonly property color sheetGradientTop: "#101B24"
    readonly property color sheetGradientBottom: "#071015"
    readonly property color popupBackground: "#1B2630"
    readonly property color breakColour: "#77C7B4"
    readonly property color knob: "white"
    readonly property color buttonProminentFill: "white"
    readonly property color handleGrip: "white"
    readonly property color backdropBase: "black"
    readonly property color mediaPlaceholder: Qt.rgba(0.04, 0.08, 0.1, 1)
    readonly property color tooltipBackground: Qt.rgba(0.11, 0.13, 0.16, 1)
    readonly property color knobPressed: Qt.rgba(0.85, 0.85, 0.85, 1)
    readonly property color danger: Qt.rgba(1, 0.42, 0.4, 0.9)
    readonly property color dangerPressed: Qt.rgba(1, 0.42, 0.4, 0.6)
    readonly property color deleteSymbol: Qt.rgba(1, 0.42, 0.38, 0.9)
    readonly property color deleteSymbolPressed: Qt.rgba(1, 0.42, 0.38, 0.6)

    // A given colour, mostly the accent, at the opacity of its role. The colour is passed in because some
    // views show another one: the break colour, or the palette being edited in the settings.
    function activeTileFill(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.09);
    }
    function accentWash(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.1);
    }
    function currentRowFill(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.105);
    }
    function accentTint(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.12);
    }
    function selectedFill(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.13);
    }
    function cornerHeaderFill(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.14);
    }
    function toggleOnFill(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.16);
    }
    function accentGlow(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.18);
    }
    function dragProxyFill(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.22);
    }
    function selectedOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.22);
    }
    function goldPlateHalo(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.24);
    }
    function linkOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.25);
    }
    function accentOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.28);
    }
    function artworkGlow(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.28);
    }
    function dropMarker(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.3);
    }
    function currentRowOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.34);
    }
    function timelineBar(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.45);
    }
    function toggleOnOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.46);
    }
    function editorAccentBar(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.48);
    }
    function dragProxyOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.5);
    }
    function markedDayOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.52);
    }
    function seekGlow(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.55);
    }
    function focusedRule(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.58);
    }
    function volumeKnobOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.6);
    }
    function dropTargetMark(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.65);
    }
    function dropTargetMarkStrong(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.7);
    }
    function seekFillStart(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.72);
    }
    function dropTargetText(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.75);
    }
    function accentCaption(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.76);
    }
    function accentPressed(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.78);
    }
    function currentRowText(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.78);
    }
    function accentDown(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.8);
    }
    function thumbnailSymbol(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.8);
    }
    function titleGlow(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.8);
    }
    function activeTileOutline(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.82);
    }
    function artworkShadow(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.85);
    }
    function tooltipAccentBar(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.9);
    }
    function settingsBackground(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 0.98);
    }
    function opaque(tint: color): color {
        return Qt.rgba(tint.r, tint.g, tint.b, 1);
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

    // Animation durations in milliseconds, shortest first: a hover, a field taking the focus, a selection,
    // a row highlighted, the interface fading, the now-playing card coming and going, the console
    // snapping to its corner, the overlay fading.
    readonly property int durationHover: 120
    readonly property int durationFocus: 150
    readonly property int durationSelection: 160
    readonly property int durationHighlight: 180
    readonly property int durationFade: 220
    readonly property int durationPresence: 250
    readonly property int durationSnap: 340
    readonly property int durationOverlay: 350

    // Corner radii, padding and gaps shared by one kind of element across the views; a radius that follows
    // one element's own size (a dot, a bar, a round handle) stays with that element.
    readonly property real radiusCard: 16
    readonly property real radiusDialog: 18
    readonly property real paddingCard: 18
    readonly property real spacingCards: 18
}
