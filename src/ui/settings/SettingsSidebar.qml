pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Quorvane.Common
import Quorvane.Settings

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
    color: Theme.wellShade

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
                readonly property color tint: selected ? sidebar.session.accent : Theme.textNavigation

                objectName: "paneRow_" + modelData.pane
                Layout.fillWidth: true
                Layout.preferredHeight: 42
                leftPadding: 13
                rightPadding: 13
                onClicked: sidebar.session.selectedPane = modelData.pane
                // The arrows walk the rows, each showing its pane, as a desktop's settings sidebar does.
                Keys.onUpPressed: sidebar.showRow(index - 1)
                Keys.onDownPressed: sidebar.showRow(index + 1)
                // Read by its pane's title, one choice of the panes, the shown one selected.
                Accessible.name: modelData.title
                Accessible.selectable: true
                Accessible.selected: selected
                Accessible.onPressAction: clicked()

                background: Rectangle {
                    radius: Theme.radiusSidebarRow
                    color: paneRow.selected ? Theme.accentTint(paneRow.tint) : "transparent"
                    border.width: paneRow.selected ? 1 : 0
                    border.color: Theme.accentGlow(paneRow.tint)
                    Behavior on color {
                        ColorAnimation {
                            duration: Theme.durationSelection
                            easing.type: Easing.OutCubic
                        }
                    }
                }

                contentItem: RowLayout {
                    spacing: 11

                    SymbolIcon {
                        Layout.preferredWidth: 20
                        name: paneRow.modelData.symbol
                        size: Theme.fontButton
                        color: paneRow.tint
                    }

                    Text {
                        objectName: "paneRowTitle"
                        Layout.fillWidth: true
                        text: paneRow.modelData.title
                        font.pixelSize: Theme.fontControl
                        font.weight: Theme.fontWeightLabel
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
                size: Theme.fontBody
                color: Theme.textSecondary
            }

            Text {
                objectName: "sidebarFooter"
                Layout.fillWidth: true
                text: Texts.text("全部保存在本机", sidebar.session.language)
                font.pixelSize: Theme.fontSmall
                font.weight: Theme.fontWeightLabel
                color: Theme.textSecondary
                wrapMode: Text.Wrap
            }
        }
    }
}
