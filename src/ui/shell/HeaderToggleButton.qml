import QtQuick
import QtQuick.Controls.Basic
import Quorvane.Common
import Quorvane.Effects

// One switch of the header: a round 34-point button, lit in the accent colour while on. Switches stay
// usable during a locked break.
AbstractButton {
    id: button

    required property var shown
    readonly property color accent: Theme.accent

    implicitWidth: 34
    implicitHeight: 34
    // The controller holds the state: a click only asks it to switch, so the state is bound to it
    // again after every click, which also undoes the button's own flip when the controller refuses.
    checkable: true
    checked: shown.isOn
    onClicked: checked = Qt.binding(() => shown.isOn)
    Accessible.name: shown.title
    Accessible.description: shown.accessibilityValue
    Accessible.onPressAction: clicked()
    Accessible.onToggleAction: clicked()

    background: CircleBackground {
        isOn: button.shown.isOn
        accent: button.accent
    }

    contentItem: SymbolIcon {
        objectName: "symbol"
        name: button.shown.symbol
        size: Theme.fontControl
        font.weight: Theme.fontWeightEmphasis
        color: button.shown.isOn ? button.accent : Theme.textLead
    }

    InstantTooltip {
        title: button.shown.title
        detail: button.shown.detail
        placement: "bottomTrailing"
    }

    FocusRing {
        cornerRadius: width / 2
    }

    // A type of its own, whose ids stay inside it, so that the button makes it when it needs it.
    component CircleBackground: Item {
        id: plate

        required property bool isOn
        required property color accent

        RectangleGlow {
            anchors.fill: circle
            visible: plate.isOn
            glowRadius: 8
            cornerRadius: circle.radius + glowRadius
            color: Theme.accentGlow(plate.accent)
        }

        Rectangle {
            id: circle

            anchors.fill: parent
            radius: width / 2
            color: plate.isOn ? Theme.accentFill(plate.accent)
                                   : Theme.glass
            border.width: 1
            border.color: plate.isOn ? Theme.accentEdge(plate.accent)
                                          : Theme.outlineStrong
        }
    }
}
