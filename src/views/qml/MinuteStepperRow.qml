import QtQuick
import QtQuick.Layouts
import Quorvane

// A minutes setting: its title and detail, then the value's label between − and + buttons. A plain
// label rather than a spin box, so that a stored value outside the range shows as it is; the session
// decides which step is possible and what it stores.
SettingRow {
    id: row

    required property string label
    required property bool canDecrease
    required property bool canIncrease
    // -1 or +1, on a press.
    signal stepped(int direction)

    Row {
        spacing: 8

        SettingsButton {
            objectName: row.objectName + "Decrease"
            text: "−"
            width: 34
            enabled: row.canDecrease
            opacity: enabled ? 1 : 0.4
            onClicked: row.stepped(-1)
        }

        Text {
            objectName: row.objectName + "Label"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(implicitWidth, 84)
            text: row.label
            font.pixelSize: 14
            font.weight: Font.DemiBold
            color: "white"
            horizontalAlignment: Text.AlignHCenter
        }

        SettingsButton {
            objectName: row.objectName + "Increase"
            text: "+"
            width: 34
            enabled: row.canIncrease
            opacity: enabled ? 1 : 0.4
            onClicked: row.stepped(1)
        }
    }
}
