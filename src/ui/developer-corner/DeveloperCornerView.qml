import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Templates as T
import Quorvane.Common
import Quorvane.DeveloperCorner

// The developer corner: a header, the sidebar of its three sections, the selected section in a
// scrolling column, and the corner's own alert. It is built afresh at each opening, so every field
// starts empty on the letter section.
Item {
    id: view

    readonly property DeveloperCornerController corner: cornerState
    readonly property color accent: Theme.accent
    // The sheet lets an open alert take Esc first.
    readonly property bool somethingOpen: cornerAlert.visible

    DeveloperCornerController {
        id: cornerState

        controller: AppController
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.sheetBackground
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.preferredHeight: 76
            Layout.leftMargin: 24
            Layout.rightMargin: 24
            spacing: 15

            Rectangle {
                implicitWidth: 42
                implicitHeight: 42
                radius: 21 // own shape
                color: Theme.accentFill(view.accent)

                SymbolIcon {
                    anchors.centerIn: parent
                    name: "cup.and.saucer.fill"
                    size: Theme.fontActivityTitle
                    color: view.accent
                }
            }

            ColumnLayout {
                spacing: 3

                Text {
                    text: Texts.L("开发者角落", "Developer Corner")
                    font.pixelSize: Theme.fontSheetTitle
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.foreground
                }

                Text {
                    text: Texts.L("一封来信、一杯咖啡，以及一段由来", "A letter, a coffee, and the story behind Quorvane")
                    font.pixelSize: Theme.fontLabel
                    font.weight: Theme.fontWeightLabel
                    color: Theme.textDescription
                }
            }

            Item {
                Layout.fillWidth: true
            }

            // The sheet's standard button; Esc does the same through the sheet.
            T.Button {
                id: doneButton

                objectName: "developerCornerDone"
                implicitWidth: implicitContentWidth + 32
                implicitHeight: 30
                text: Texts.L("完成", "Done")
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightEmphasis
                onClicked: AppController.sheets.close(Sheets.DeveloperCorner)
                Accessible.onPressAction: if (enabled) clicked()

                contentItem: Text {
                    text: doneButton.text
                    font: doneButton.font
                    color: Theme.textBright
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }

                background: Rectangle {
                    radius: Theme.radiusDoneButton
                    color: doneButton.down ? Theme.highlight : Theme.controlOutline
                    border.width: 1
                    border.color: Theme.outlineStrong
                }

                FocusRing {
                    cornerRadius: 7
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.controlOutline
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 0

            Rectangle {
                objectName: "developerCornerSidebar"
                Layout.preferredWidth: 196
                Layout.fillHeight: true
                color: Theme.wellShade

                ColumnLayout {
                    anchors.fill: parent
                    anchors.margins: 15
                    spacing: 8

                    // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
                    // the QML tools of 6.4 do not follow them to the file's ids.
                    // qmllint disable unqualified
                    Repeater {
                        model: cornerState.sections

                        DeveloperCornerSectionButton {
                            required property string modelData
                            required property int index

                            Layout.fillWidth: true
                            objectName: "sectionButton_" + modelData
                            title: cornerState.sectionTitles[index]
                            symbol: cornerState.sectionSymbols[index]
                            selected: cornerState.section === modelData
                            accent: view.accent
                            onClicked: cornerState.section = modelData
                        }
                    }
                    // qmllint enable unqualified

                    Item {
                        Layout.fillHeight: true
                    }

                    Text {
                        Layout.leftMargin: 13
                        Layout.rightMargin: 13
                        text: Texts.text("Quorvane · Varnholt")
                        font.pixelSize: Theme.fontCaption
                        font.weight: Theme.fontWeightLabel
                        color: Theme.textDescription
                    }
                }
            }

            Rectangle {
                Layout.fillHeight: true
                implicitWidth: 1
                color: Theme.controlOutline
            }

            // Follows the keyboard's focus down the section, the letter's own text area included.
            SheetScrollView {
                id: scroll

                objectName: "developerCornerScroll"
                // The story is text to read, with one button at its end.
                focusStop: cornerState.section === "story"
                Layout.fillWidth: true
                Layout.fillHeight: true
                contentWidth: availableWidth
                contentHeight: pane.height + 60

                Loader {
                    id: pane

                    objectName: "developerCornerContent"
                    x: 30
                    y: 30
                    width: scroll.availableWidth - 60
                    height: (item as Item)?.implicitHeight ?? 0
                    sourceComponent: cornerState.section === "support"
                                     ? supportPane
                                     : cornerState.section === "story" ? storyPane : letterPane
                }
            }
        }
    }

    // Unbound components, as Qt 6.4's Loader needs them in this file (it makes no bound one):
    // the QML tools of 6.4 do not follow them to the file's ids.
    // qmllint disable unqualified
    Component {
        id: letterPane

        DeveloperCornerLetter {
            corner: cornerState
            accent: view.accent
        }
    }

    Component {
        id: supportPane

        DeveloperCornerSupport {
            corner: cornerState
            accent: view.accent
        }
    }

    Component {
        id: storyPane

        DeveloperCornerStory {
            corner: cornerState
            accent: view.accent
        }
    }
    // qmllint enable unqualified

    ControllerAlert {
        id: cornerAlert

        objectName: "developerCornerOwnAlert"
        wanted: cornerState.showingAlert
        heading: cornerState.alertTitle
        message: cornerState.alertMessage
        ownFlag: true
        onDismissed: cornerState.showingAlert = false
    }
}
