import QtQuick
import Quorvane.Common
import Quorvane.Settings

// The appearance pane: the background library, then the overlay and video-sound card, then the palette
// card. Every control writes into the sheet's working copy through the pane's values.
SettingsPaneStack {
    id: pane

    required property SettingsSession session
    readonly property bool somethingOpen: paletteCard.pickerOpen

    title: session.headingTitle
    subtitle: session.headingSubtitle

    AppearanceSettings {
        id: values

        session: pane.session
    }

    BackgroundLibraryEditor {
        width: pane.width
        session: pane.session
    }

    AppearanceOverlayCard {
        width: pane.width
        session: pane.session
        values: values
    }

    AppearancePaletteCard {
        id: paletteCard

        width: pane.width
        session: pane.session
        values: values
    }
}
