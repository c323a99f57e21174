import QtQuick
import QtQuick.Layouts
import Quorvane

// The settings sheet's sidebar: one row per pane, the selected one in the sheet's accent, and the note
// that everything stays on this computer at the bottom.
Rectangle {
    id: sidebar

    required property SettingsSession session

    implicitWidth: 184
    color: Qt.rgba(0, 0, 0, 0.12)

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 15
        spacing: 7

        Repeater {
            model: sidebar.session.sidebarRows

            delegate: Rectangle {
                id: paneRow

                required property var modelData
                readonly property bool selected: modelData.pane === sidebar.session.selectedPane
                readonly property color tint: selected ? sidebar.session.accent : Qt.rgba(1, 1, 1, 0.7)

                objectName: "paneRow_" + modelData.pane
                Layout.fillWidth: true
                Layout.preferredHeight: 42
                radius: 11
                color: Qt.rgba(tint.r, tint.g, tint.b, selected ? 0.13 : 0)
                border.width: selected ? 1 : 0
                border.color: Qt.rgba(tint.r, tint.g, tint.b, 0.22)
                Behavior on color {
                    ColorAnimation {
                        duration: 160
                        easing.type: Easing.OutCubic
                    }
                }

                RowLayout {
                    anchors.fill: parent
                    anchors.leftMargin: 13
                    anchors.rightMargin: 13
                    spacing: 11

                    SymbolIcon {
                        Layout.preferredWidth: 20
                        name: paneRow.modelData.symbol
                        size: 17
                        color: paneRow.tint
                    }

                    Text {
                        objectName: "paneRowTitle"
                        Layout.fillWidth: true
                        text: paneRow.modelData.title
                        font.pixelSize: 14
                        font.weight: Font.Medium
                        color: paneRow.tint
                        elide: Text.ElideRight
                    }
                }

                MouseArea {
                    anchors.fill: parent
                    onClicked: sidebar.session.selectedPane = paneRow.modelData.pane
                }
            }
        }

        Item {
            Layout.fillHeight: true
        }

        RowLayout {
            Layout.leftMargin: 13
            Layout.rightMargin: 13
            spacing: 6

            SymbolIcon {
                name: "internaldrive"
                size: 13
                color: Qt.rgba(1, 1, 1, 0.55)
            }

            Text {
                objectName: "sidebarFooter"
                Layout.fillWidth: true
                text: Texts.text("全部保存在本机", sidebar.session.language)
                font.pixelSize: 11
                font.weight: Font.Medium
                color: Qt.rgba(1, 1, 1, 0.55)
                wrapMode: Text.Wrap
            }
        }
    }
}
