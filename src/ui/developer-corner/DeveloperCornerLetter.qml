pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.DeveloperCorner

// The letter section: the e-mail, the message and up to three images in a card, the send button and
// the privacy note; once the letter is sent, only the sent card. Return in a field sends nothing.
ColumnLayout {
    id: pane

    required property DeveloperCornerController corner
    required property color accent
    readonly property color secondary: Theme.textDescription

    spacing: 20

    DeveloperCornerPaneTitle {
        Layout.fillWidth: true
        title: Texts.L("给开发者写信", "Write to the Developer")
        subtitle: Texts.L("问题、建议，或一句问候，都会寄到 Mirenvale 支持邮箱。",
                          "Bug reports, ideas, or a simple hello—all go to Mirenvale Support.")
    }

    DeveloperCornerCard {
        objectName: "sentCard"
        Layout.fillWidth: true
        visible: pane.corner.sent

        ColumnLayout {
            width: parent.width
            spacing: 14

            Item {
                implicitHeight: 10
            }

            SymbolIcon {
                Layout.alignment: Qt.AlignHCenter
                name: "checkmark.circle.fill"
                size: Theme.symbolDisplay
                color: pane.accent
            }

            Text {
                Layout.alignment: Qt.AlignHCenter
                text: Texts.L("来信已经寄出", "Your message is on its way")
                Accessible.name: text
                font.pixelSize: Theme.fontLetterTitle
                font.weight: Theme.fontWeightEmphasis
                color: Theme.textBright
            }

            Text {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: Texts.L("我们会通过你留下的邮箱回复。谢谢你帮助柯帆变得更好。",
                              "We'll reply to the email you provided. Thank you for helping Quorvane improve.")
                Accessible.name: text
                font.pixelSize: Theme.fontBody
                color: pane.secondary
            }

            Item {
                implicitHeight: 10
            }
        }
    }

    DeveloperCornerCard {
        objectName: "letterForm"
        Layout.fillWidth: true
        visible: !pane.corner.sent

        ColumnLayout {
            width: parent.width
            spacing: 16

            DeveloperCornerFieldLabel {
                id: emailLabel

                title: Texts.L("你的邮箱", "Your Email")
                symbol: "at"
                accent: pane.accent
            }

            TextField {
                objectName: "emailField"
                Layout.fillWidth: true
                padding: 12
                placeholderText: Texts.text("name@example.com")
                placeholderTextColor: Theme.textFaint
                text: pane.corner.email
                onTextEdited: pane.corner.email = text
                Accessible.name: emailLabel.title
                font.pixelSize: Theme.fontBody
                color: Theme.textBright
                background: Rectangle {
                    radius: 11 // own shape
                    color: Theme.inputShade
                }

                FocusRing {
                    cornerRadius: 11
                }
            }

            DeveloperCornerFieldLabel {
                id: messageLabel

                title: Texts.L("想说的话", "Your Message")
                symbol: "text.bubble"
                accent: pane.accent
            }

            ScrollView {
                Layout.fillWidth: true
                Layout.preferredHeight: 150
                // The view clips its text area, so the ring sits on the plate around it.
                background: Rectangle {
                    radius: 11 // own shape
                    color: Theme.inputShade

                    FocusRing {
                        control: message
                        cornerRadius: 11
                    }
                }

                PlainTextArea {
                    id: message

                    objectName: "messageEditor"
                    Accessible.name: messageLabel.title
                    padding: 8
                    text: pane.corner.message
                    onTextChanged: {
                        if (text !== pane.corner.message)
                            pane.corner.message = text;
                    }
                    font.pixelSize: Theme.fontBody
                    color: Theme.textBright
                }
            }

            RowLayout {
                Layout.fillWidth: true

                DeveloperCornerFieldLabel {
                    title: Texts.L("图片附件", "Image Attachments")
                    symbol: "photo.on.rectangle"
                    accent: pane.accent
                }

                Item {
                    Layout.fillWidth: true
                }

                Text {
                    text: Texts.L("最多 3 张 · 每张 5MB", "Up to 3 · 5MB each")
                    Accessible.name: text
                    font.pixelSize: Theme.fontSmall
                    color: pane.secondary
                }
            }

            Row {
                visible: pane.corner.images.length > 0
                spacing: 10

                Repeater {
                    model: pane.corner.images

                    DeveloperCornerAttachmentTile {
                        required property var modelData

                        imageId: modelData.id
                        name: modelData.name
                        hasPreview: modelData.hasPreview
                        onRemoved: pane.corner.removeImage(imageId)
                    }
                }
            }

            DeveloperCornerAddImagesButton {
                objectName: "addImagesButton"
                Layout.fillWidth: true
                visible: pane.corner.canAddImages
                text: Texts.L("添加图片", "Add Images")
                onClicked: pane.corner.chooseImages()
            }
        }
    }

    DeveloperCornerActionButton {
        objectName: "sendButton"
        Layout.fillWidth: true
        visible: !pane.corner.sent
        accent: pane.accent
        symbol: "paperplane.fill"
        text: Texts.L("寄出这封信", "Send Message")
        busyText: Texts.L("正在寄出…", "Sending…")
        busy: pane.corner.sending
        onClicked: pane.corner.sendFeedback()
    }

    Text {
        Layout.fillWidth: true
        visible: !pane.corner.sent
        wrapMode: Text.Wrap
        text: Texts.L("邮箱、正文与附件仅用于处理这次来信，不会用于营销。",
                      "Your email, message, and attachments are used only to handle this request, never for marketing.")
        Accessible.name: text
        font.pixelSize: Theme.fontSmall
        color: pane.secondary
    }
}
