pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common
import Quorvane.Effects

// Three round buttons in the bottom corner the console leaves free: previous background, hide or show
// the interface, next background. The root view owns the hidden flag; the cluster slides to the other
// corner when the console changes sides.
Item {
    id: controls

    required property bool interfaceIsHidden
    required property string consoleDock
    required property bool canNavigateBackgrounds
    required property string language

    readonly property var shown: AppController.console.focusCornerControls(interfaceIsHidden,
        canNavigateBackgrounds, consoleDock, language)
    readonly property real padding: 32

    signal previous
    signal next
    signal toggleInterface

    component ControlButton: AbstractButton {
        id: button

        required property var look

        width: 34
        height: 34
        opacity: look.opacity
        enabled: look.enabled
        Accessible.name: look.label
        Accessible.description: enabled ? "" : Texts.text("不可用", controls.language)
        Accessible.onPressAction: if (enabled) clicked()

        background: DiscBackground {}

        contentItem: SymbolIcon {
            objectName: "symbol"
            name: button.look.symbol
            size: Theme.fontControl
            font.weight: Theme.fontWeightEmphasis
            color: Theme.textParagraph
        }

        FocusRing {
            cornerRadius: width / 2
        }

        InstantTooltip {
            title: button.look.label
            detail: button.look.detail
            placement: controls.shown.tooltipPlacement
        }
    }

    Row {
        id: cluster

        objectName: "cornerCluster"
        spacing: 8
        // Opposite the console: bottom right while it docks left, bottom left while it docks right.
        // Only a change of side slides the cluster; a resized window moves it at once.
        property real towardsRight: controls.consoleDock === "leading" ? 1 : 0

        x: controls.padding + towardsRight * (controls.width - 2 * controls.padding - width)
        y: controls.height - controls.padding - height

        Behavior on towardsRight {
            NumberAnimation {
                duration: Theme.durationOverlay
                easing.type: Easing.OutCubic
            }
        }

        ControlButton {
            objectName: "previousBackgroundButton"
            look: controls.shown.previous
            onClicked: controls.previous()
        }

        ControlButton {
            objectName: "toggleInterfaceButton"
            look: controls.shown.toggle
            checkable: true
            checked: controls.interfaceIsHidden
            Accessible.name: controls.shown.toggleSwitchName
            onClicked: {
                controls.toggleInterface();
                checked = Qt.binding(() => controls.interfaceIsHidden);
            }
        }

        ControlButton {
            objectName: "nextBackgroundButton"
            look: controls.shown.next
            onClicked: controls.next()
        }
    }

    // A type of its own, whose ids stay inside it, so that the button makes it when it needs it.
    component DiscBackground: Item {
        SoftShadow {
            target: disc
            shapeRadius: disc.radius
            blurRadius: 10
            offsetY: 5
            color: Theme.glass
        }

        GlassPanel {
            id: disc

            anchors.fill: parent
            backdrop: null
            radius: width / 2
            tint: Theme.glass
            borderColor: Theme.outlineStrong
        }
    }
}
