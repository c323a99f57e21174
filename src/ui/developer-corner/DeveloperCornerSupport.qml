import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quorvane.Common
import Quorvane.DeveloperCorner

// The support section: why a coffee, the amount in the currency of the interface language, its
// limits, the checkout button and the note on who handles the payment. Return in the amount field
// starts nothing; only the button does.
ColumnLayout {
    id: pane

    required property DeveloperCornerController corner
    required property color accent
    readonly property color secondary: Theme.textDescription

    spacing: 20

    DeveloperCornerPaneTitle {
        Layout.fillWidth: true
        title: Texts.L("给他买杯咖啡", "Buy Him a Coffee")
        subtitle: Texts.L("柯帆永久免费，不设会员，也不会锁住任何功能。", "Quorvane is free—no tiers, no locked features.")
    }

    DeveloperCornerCard {
        Layout.fillWidth: true

        ColumnLayout {
            width: parent.width
            spacing: 18

            Text {
                Layout.fillWidth: true
                wrapMode: Text.Wrap
                lineHeight: 1.3
                text: Texts.L("如果柯帆确实帮你在忙碌中停下来休息、活动了一会儿，你可以请开发者喝杯咖啡，支持他继续把这款小工具做好。它不是购买，也不会解锁任何额外功能。",
                              "If Quorvane helped you pause and move when you needed it, you can buy the developer a coffee and support its continued improvement. This is not a purchase and unlocks nothing.")
                Accessible.name: text
                font.pixelSize: Theme.fontEmphasis
                font.weight: Theme.fontWeightLabel
                color: Theme.textBright
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: amountRow.implicitHeight + 32
                radius: 14 // own shape
                color: Theme.inputShade

                RowLayout {
                    id: amountRow

                    anchors.fill: parent
                    anchors.margins: 16
                    spacing: 9

                    Text {
                        objectName: "currencyPrefix"
                        Layout.alignment: Qt.AlignBaseline
                        text: Texts.text(pane.corner.currencyPrefix)
                        font.pixelSize: Theme.fontCurrency
                        font.weight: Theme.fontWeightFigure
                        color: pane.accent
                    }

                    TextField {
                        objectName: "amountField"
                        Layout.fillWidth: true
                        Layout.alignment: Qt.AlignBaseline
                        padding: 0
                        text: pane.corner.amount
                        onTextEdited: pane.corner.amount = text
                        Accessible.name: pane.corner.amountLabel
                        font.pixelSize: Theme.fontAmount
                        font.weight: Theme.fontWeightFigure
                        color: Theme.textBright
                        background: null

                        FocusRing {
                            cornerRadius: 4
                        }
                    }
                }
            }

            Text {
                Layout.fillWidth: true
                wrapMode: Text.Wrap
                Accessible.name: text
                text: Texts.L("金额由你决定。为了让这份支持保持轻盈，请不要超过 ¥30；支付平台最低金额为 ¥5。",
                              "Choose any amount that feels right. To keep this gesture light, please don't exceed $20; the payment minimum is $1.")
                font.pixelSize: Theme.fontSmall
                color: pane.secondary
            }

            DeveloperCornerActionButton {
                objectName: "checkoutButton"
                Layout.fillWidth: true
                accent: pane.accent
                symbol: "cup.and.saucer.fill"
                text: Texts.L("请他喝杯咖啡", "Buy Him a Coffee")
                busyText: Texts.L("正在前往安全支付…", "Opening secure checkout…")
                busy: pane.corner.creatingCheckout
                onClicked: pane.corner.beginDonation()
            }

            Row {
                Layout.fillWidth: true
                spacing: 6

                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: "lock.shield.fill"
                    size: Theme.fontBody
                    color: pane.secondary
                }

                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: Texts.L("支付由 Stripe 安全处理，柯帆不会接触或保存银行卡信息。",
                                  "Securely processed by Stripe. Quorvane never sees or stores card details.")
                    Accessible.name: text
                    font.pixelSize: Theme.fontSmall
                    color: pane.secondary
                }
            }
        }
    }
}
