import QtQuick
import QtQuick.Controls
import Quorvane.Common
import Quorvane.Shell

// The screen of the break: the weighted wheel in the middle, a two-line header at the top, the waiting
// capsule or the drawn activity with its completion button below the wheel, and the keyboard banner at
// the bottom. It starts the draw by itself a moment after it appears; everything else it shows comes
// from the controller.
Item {
    id: screen

    // Asks for the short spin, when the desktop asked for less motion.
    property bool reduceMotion: false
    // The host's music card at the bottom left, in the screen's coordinates; empty without one.
    property rect card: Qt.rect(0, 0, 0, 0)

    readonly property real spinSeconds: reduceMotion ? 0.22 : 3.1
    // The result block's size, also while the capsule shows, so that the wheel keeps its size when the
    // result comes.
    readonly property size actionSize: Qt.size(Math.max(result.width, waitingCapsule.width),
                                               Math.max(result.height, waitingCapsule.height))
    readonly property rect wheelFrame: BreakGeometry.wheel(Qt.size(width, height), header.y + header.height,
                                                            actionSize, card)
    readonly property point actionCentre: BreakGeometry.actionCentre(Qt.size(width, height),
                                                                      header.y + header.height, actionSize, card)
    readonly property bool isActivity: AppController.round.phase === SessionPhase.Activity
    readonly property bool isWaiting: AppController.round.phase === SessionPhase.Wheel
                                      && AppController.breakWheel.keyboardIsLocked
    readonly property string waitingTitle: Texts.L("休息时间", "Time to Unwind")
    readonly property color accent: Theme.accent

    // The draw starts only when the screen appears ready for it, not on later changes: a draw that
    // could not start (an alert says why) is not retried.
    function scheduleDrawIfReady() {
        if (AppController.round.phase === SessionPhase.Wheel && AppController.breakWheel.keyboardIsLocked
                && !AppController.breakWheel.isSpinning && !AppController.breakWheel.hasSelectedItem)
            automaticStart.start();
    }

    Component.onCompleted: {
        if (visible)
            scheduleDrawIfReady();
    }
    onVisibleChanged: {
        if (visible)
            scheduleDrawIfReady();
    }

    Timer {
        id: automaticStart

        objectName: "automaticStart"
        interval: 550
        onTriggered: AppController.breakWheel.spinWheel(screen.spinSeconds)
    }

    WeightedWheelGraphic {
        id: wheel

        objectName: "wheel"
        x: screen.wheelFrame.x
        y: screen.wheelFrame.y
        width: screen.wheelFrame.width
        height: screen.wheelFrame.height
        items: AppController.breakWheel.wheelEntries
        baseWeightTotal: AppController.breakWheel.wheelBaseWeightTotal
        wheelBaseColor: Theme.wheelBase
        accentColor: screen.accent
        textColor: Theme.foreground
        english: AppController.english
        wheelRotation: AppController.breakWheel.wheelRotation
        selectedID: AppController.breakWheel.selectedItemID
        showResult: screen.isActivity
        Accessible.role: Accessible.Graphic
        Accessible.name: Texts.text("动态概率转盘")

        // The spin lasts as long as the controller waits before it settles, and slows towards its end.
        Behavior on wheelRotation {
            id: spin

            NumberAnimation {
                duration: screen.spinSeconds * 1000
                easing.type: Easing.Bezier
                easing.bezierCurve: [0.12, 0.72, 0.22, 1, 1, 1]
            }
        }
    }

    // A busy machine may leave the animation behind the controller: once the draw settles, the wheel
    // stands at its final angle before the drawn slice and the result appear.
    Connections {
        target: AppController.breakWheel

        function onIsSpinningChanged() {
            if (AppController.breakWheel.isSpinning)
                return;
            // Written again with the spin switched off, the angle stops the running animation.
            spin.enabled = false;
            wheel.wheelRotation = Qt.binding(() => AppController.breakWheel.wheelRotation);
            spin.enabled = true;
        }
    }

    Column {
        id: header

        objectName: "header"
        width: screen.width
        y: 54 - height / 2
        spacing: 4

        Text {
            id: heading

            objectName: "title"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: screen.isActivity ? Texts.L("本轮休息", "Break Activity") : screen.waitingTitle
            font.family: "Noto Serif CJK SC"
            font.pixelSize: Theme.fontBreakTitle
            font.weight: Theme.fontWeightRegular
            // The palette's foreground; the serif face also covers Han characters.
            color: Theme.foreground
            Accessible.name: text
            Accessible.focusable: true
            // The screen takes the keys as it appears: the control that started the break goes with the
            // screen before, and the keys would fall to whichever control the window had before it.
            Component.onCompleted: forceActiveFocus()
        }

        Text {
            objectName: "subtitle"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: screen.isActivity
                  ? Texts.L("完成后再开始下一轮", "Complete it before the next focus round")
                  : Texts.L("♫  音乐播放中  ·  本轮概率已按近期记录动态调整",
                            "♫  Music playing · Probabilities reflect recent draws")
            font.pixelSize: Theme.fontBody
            font.weight: Theme.fontWeightLabel
            color: Theme.accentPressed(screen.accent)
            Accessible.name: text
        }
    }

    // The action area, below the wheel; centred, unless the music card would cover it: then it keeps 16
    // to the card's right.
    Item {
        objectName: "actionArea"
        x: screen.actionCentre.x
        y: screen.actionCentre.y

        Rectangle {
            id: waitingCapsule

            objectName: "waitingCapsule"
            anchors.centerIn: parent
            visible: screen.isWaiting
            width: waiting.implicitWidth + 2 * 18
            height: 40
            radius: height / 2
            color: Theme.shadow
            border.color: Theme.controlOutline
            border.width: 1

            Row {
                id: waiting

                anchors.centerIn: parent
                spacing: 10

                BusyIndicator {
                    anchors.verticalCenter: parent.verticalCenter
                    implicitWidth: 18
                    implicitHeight: 18
                    padding: 0
                    running: parent.visible
                    palette.dark: screen.accent
                }

                Text {
                    objectName: "waitingText"
                    anchors.verticalCenter: parent.verticalCenter
                    text: AppController.breakWheel.isSpinning
                          ? Texts.L("正在为你选择休息项目", "Choosing your break activity")
                          : Texts.L("正在准备转盘", "Preparing the wheel")
                    font.pixelSize: Theme.fontControl
                    font.weight: Theme.fontWeightLabel
                    color: Theme.textLead
                    Accessible.name: text
                }
            }
        }

        Column {
            id: result

            objectName: "result"
            anchors.centerIn: parent
            visible: !screen.isWaiting && AppController.breakWheel.hasSelectedItem
            spacing: 10

            // The drawn activity and its score, read as one line. The keyboard grab leaves the window
            // without focus during the break, so the draw is told as a notification when it shows.
            Row {
                objectName: "resultLine"
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 8
                // As the screen goes, its items are taken off one another before they are destroyed, and
                // one that stands alone shows by its own visibility: this one would tell a screen reader
                // of a notification, by then without a name, at every break's end.
                Component.onDestruction: visible = false
                Accessible.role: Accessible.Notification
                Accessible.name: AppController.breakWheel.selectedItemTitle + " "
                                 + AppController.breakWheel.selectedItemScoreText
                Accessible.description: completion.text

                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    name: AppController.breakWheel.selectedItemSymbol
                }

                Text {
                    objectName: "resultTitle"
                    anchors.verticalCenter: parent.verticalCenter
                    // A long title is cut short rather than run off a narrow window.
                    width: Math.min(implicitWidth, screen.width - 240)
                    elide: Text.ElideRight
                    text: AppController.breakWheel.selectedItemTitle
                    font.pixelSize: Theme.fontActivityTitle
                    font.weight: Theme.fontWeightEmphasis
                    color: Theme.foreground
                }

                Text {
                    objectName: "resultScore"
                    anchors.verticalCenter: parent.verticalCenter
                    text: AppController.breakWheel.selectedItemScoreText
                    font.pixelSize: Theme.fontEmphasis
                    font.weight: Theme.fontWeightStrong
                    color: screen.accent
                }
            }

            GoldButtonStyle {
                id: completion

                objectName: "completionButton"
                anchors.horizontalCenter: parent.horizontalCenter
                accent: screen.accent
                text: Texts.text("我已完成 · 开始下一轮")
                onClicked: AppController.breakWheel.confirmActivityCompleted()
            }
        }
    }

    // The grab keeps every key from a screen reader too, so the break says what it is and the way out as a
    // notification as its draw starts: a screen reader misses one that shows while the window turns full
    // screen. Its name is the waiting screen's own title, not the heading's: a screen reader that reads the
    // notification late, once the draw has ended, must not read the drawn activity's heading into it.
    Item {
        objectName: "breakAnnouncement"
        visible: screen.isWaiting && AppController.breakWheel.isSpinning
        Accessible.role: Accessible.Notification
        Accessible.name: screen.waitingTitle + ". " + lockText.text + ". " + hint.text
    }

    Item {
        objectName: "keyboardBanner"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 32
        anchors.rightMargin: 32
        y: screen.height - 26 - height / 2
        height: Math.max(lockLabel.implicitHeight, hint.implicitHeight)

        Row {
            id: lockLabel

            anchors.left: parent.left
            anchors.verticalCenter: parent.verticalCenter
            spacing: 6

            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                visible: AppController.breakWheel.holdsKeys
                name: "lock.fill"
                size: Theme.fontBody
                color: hint.color
            }

            Text {
                id: lockText

                objectName: "lockText"
                anchors.verticalCenter: parent.verticalCenter
                text: AppController.breakWheel.breakLockText
                font: hint.font
                color: hint.color
                Accessible.name: text
            }
        }

        Text {
            id: hint

            objectName: "unlockHint"
            anchors.right: parent.right
            // The chord gives back what is held; where nothing is, it has nothing to do.
            visible: AppController.breakWheel.holdsKeys
            anchors.verticalCenter: parent.verticalCenter
            text: Texts.L("应急解锁  Ctrl+Alt+Super+Esc", "Emergency unlock  Ctrl+Alt+Super+Esc")
            font.pixelSize: Theme.fontLabel
            font.weight: Theme.fontWeightLabel
            color: Theme.textSecondary
            Accessible.name: text
        }
    }
}
