pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Quorvane.Common
import Quorvane.DeveloperCorner

// The story section: why Quorvane exists in five paragraphs, the last set apart, and the way to the
// maker's website (absent when the program was built without its address).
ColumnLayout {
    id: pane

    required property DeveloperCornerController corner
    required property color accent

    spacing: 20

    DeveloperCornerPaneTitle {
        Layout.fillWidth: true
        title: Texts.L("柯帆的由来", "Why Quorvane Exists")
        subtitle: Texts.L("它先是我给自己做的一次喘息。", "It began as a way to give myself room to breathe.")
    }

    DeveloperCornerCard {
        Layout.fillWidth: true

        ColumnLayout {
            width: parent.width
            spacing: 18

            Repeater {
                model: Math.min(4, pane.corner.storyParagraphs.length)

                DeveloperCornerStoryParagraph {
                    required property int index

                    Layout.fillWidth: true
                    text: pane.corner.storyParagraphs[index]
                }
            }

            Rectangle {
                objectName: "storyDivider"
                Layout.fillWidth: true
                implicitHeight: 1
                color: Theme.outline
            }

            DeveloperCornerStoryParagraph {
                Layout.fillWidth: true
                text: pane.corner.storyParagraphs[4]
            }

            T.Button {
                id: visit

                objectName: "visitWebsiteButton"
                Layout.fillWidth: true
                implicitHeight: 44
                visible: pane.corner.canVisitWebsite
                font.pixelSize: Theme.fontBody
                font.weight: Theme.fontWeightEmphasis
                text: Texts.L("访问 Mirenvale·弥谷", "Visit Mirenvale")
                onClicked: pane.corner.visitWebsite()
                Accessible.onPressAction: if (enabled) clicked()

                contentItem: ButtonSymbolLabel {
                    symbol: "arrow.up.right"
                    text: visit.text
                    font: visit.font
                    color: pane.accent
                }

                background: Rectangle {
                    radius: 12 // own shape
                    color: visit.down ? Theme.accentFill(pane.accent) : Theme.accentWash(pane.accent)
                    border.width: 1
                    border.color: Theme.accentOutline(pane.accent)
                }

                FocusRing {
                    cornerRadius: 12
                }
            }
        }
    }
}
