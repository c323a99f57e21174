pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Quorvane.Common

// The settings sheet's sidebar: one row per pane, the selected one in the sheet's accent, and the note
// that everything stays on this computer at the bottom.
Rectangle {
    id: sidebar

    required property SettingsSession session

    function showRow(index) {
        const row = rows.itemAt(index);
        if (row === null)
            return;
        row.forceActiveFocus(Qt.TabFocusReason);
        session.selectedPane = session.sidebarRows[index].pane;
    }

    implicitWidth: 184
    color: Qt.rgba(0, 0, 0, 0.12)

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 15
        spacing: 7

        Repeater {
            id: rows

            model: sidebar.session.sidebarRows

            // A button, so that Tab reaches every row and Space shows its pane.
            delegate: T.AbstractButton {
                id: paneRow

                required property var modelData
                required property int index
                readonly property bool selected: modelData.pane === sidebar.session.selectedPane
                readonly property color tint: selected ? sidebar.session.accent : Qt.rgba(1, 1, 1, 0.7)

                objectName: "paneRow_" + modelData.pane
                Layout.fillWidth: true
                Layout.preferredHeight: 42
                leftPadding: 13
                rightPadding: 13
                onClicked: sidebar.session.selectedPane = modelData.pane
                // The arrows walk the rows, each showing its pane, as a desktop's settings sidebar does.
                Keys.onUpPressed: sidebar.showRow(index - 1)
                Keys.onDownPressed: sidebar.showRow(index + 1)
                // Read by its pane's title, the shown pane selected.
                Accessible.name: modelData.title
                Accessible.selected: selected
                Accessible.onPressAction: clicked()

                background: Rectangle {
                    radius: 11
                    color: Qt.rgba(paneRow.tint.r, paneRow.tint.g, paneRow.tint.b, paneRow.selected ? 0.13 : 0)
                    border.width: paneRow.selected ? 1 : 0
                    border.color: Qt.rgba(paneRow.tint.r, paneRow.tint.g, paneRow.tint.b, 0.22)
                    Behavior on color {
                        ColorAnimation {
                            duration: 160
                            easing.type: Easing.OutCubic
                        }
                    }
                }

                contentItem: RowLayout {
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

                FocusRing {
                    cornerRadius: 11
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
