import QtQuick
import Quorvane.Common
import Quorvane.Effects

// The capsule on the console's top edge: a click moves the console to the other corner, a sideways
// drag carries it there once past the threshold. The docking itself lives in the controller.
Item {
    id: handle

    // The distance between the console's two docked positions.
    required property real travelDistance
    // Shown blurred through the glass.
    property Item backdrop: null

    readonly property var docking: AppController.console.consoleDocking
    readonly property var shown: AppController.console.consoleDragHandle
    // The drag's last horizontal travel, for its release.
    property real lastTranslation: 0

    width: 58
    height: 22
    Accessible.role: Accessible.CheckBox
    Accessible.name: shown.accessibleLabel
    Accessible.description: shown.accessibleValue
    Accessible.checkable: true
    Accessible.checked: shown.accessibleChecked
    Accessible.onPressAction: docking.tapped(handle.travelDistance)
    Accessible.onToggleAction: docking.tapped(handle.travelDistance)
    // Reached by Tab like any button, and moved with Space as a click moves it.
    activeFocusOnTab: true
    Keys.onSpacePressed: docking.tapped(handle.travelDistance)

    // Only Tab gives it the keys; a click or a drag leaves them where they were.
    FocusRing {
        z: 1
        shown: handle.activeFocus
        cornerRadius: handle.height / 2
    }

    SoftShadow {
        target: glass
        shapeRadius: glass.radius
        blurRadius: 10
        offsetY: 4
        color: Theme.inputShade
    }

    GlassPanel {
        id: glass

        anchors.fill: parent
        backdrop: handle.backdrop
        radius: height / 2
        tint: Theme.shade(handle.shown.tintOpacity)
        borderColor: handle.shown.stroke
    }

    Row {
        anchors.centerIn: parent
        spacing: 6

        SymbolIcon {
            objectName: "handleArrow"
            anchors.verticalCenter: parent.verticalCenter
            name: handle.shown.arrowSymbol
            size: Theme.fontMicro
            font.weight: Theme.fontWeightStrong
            color: handle.shown.foreground
        }

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 20
            height: 2
            radius: 1 // own shape
            color: Theme.knob
            opacity: handle.shown.barOpacity
        }
    }

    DragHandler {
        target: null
        yAxis.enabled: false
        dragThreshold: 2
        onTranslationChanged: {
            if (!active)
                return;
            handle.lastTranslation = translation.x;
            handle.docking.dragChanged(translation.x, handle.travelDistance);
        }
        onActiveChanged: {
            if (active)
                handle.lastTranslation = 0;
            else
                handle.docking.dragEnded(handle.lastTranslation, handle.travelDistance);
        }
    }

    TapHandler {
        onTapped: handle.docking.tapped(handle.travelDistance)
    }

    InstantTooltip {
        title: handle.shown.tooltipTitle
        detail: handle.shown.tooltipDetail
        placement: "bottomTrailing"
    }
}
