import QtQuick
import QtQuick.Window
import Quorvane.Common
import Quorvane.Effects

// A video background, looping without end and cropped to cover the view.
Item {
    id: video

    required property url url
    // The video's own sound plays only when this is on.
    required property bool audible
    // The darkening each frame gets before it is drawn, as VideoDecoderProcess takes it.
    property real shadeOpacity: 0
    property list<real> shadeGradient: []
    readonly property alias player: player

    // Each new frame drawn, for what follows the picture (a blurred backdrop, say).
    signal frameShown()

    VideoDecoderProcess {
        id: player

        source: video.url
        // Muting leaves the stream alone, so the video runs on without a restart.
        muted: !video.audible
        shadeOpacity: video.shadeOpacity
        shadeGradient: video.shadeGradient
        // A window closed to the tray holds no pipeline at all; shown again, the video goes on where it
        // stood.
        active: video.Window.visibility !== Window.Hidden
    }

    // A start that stalls without an error is noticed only by its missing first frame.
    VideoStartWatchdog {
        id: watchdog

        playing: player.playing
        onRestartRequested: player.restart()
    }

    VideoFrameView {
        id: output

        anchors.fill: parent
        // A video given up leaves the background's colour, not its last frame standing still.
        visible: player.errorString === ""
        pipeline: player
        onFrameShown: {
            watchdog.frameShown();
            video.frameShown();
        }
    }

    // The same background chosen again in the settings is tried again.
    Connections {
        function onBackgroundRetryRequested() {
            if (player.errorString !== "")
                player.restart();
        }

        target: AppController.appearance
    }

    // A video that cannot be played (its decoder failed, or died again and again) leaves the background's
    // colour, and one line says so.
    Text {
        objectName: "videoCannotBePlayed"
        anchors.centerIn: parent
        width: parent.width - 32
        visible: player.errorString !== ""
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        color: Theme.textParagraph
        text: Texts.L("无法播放这个视频背景。", "This background video cannot be played.")
    }
}
