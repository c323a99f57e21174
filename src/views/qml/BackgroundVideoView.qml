import QtQuick
import QtQuick.Window
import QtMultimedia
import Quorvane

// A video background, looping without end and cropped to cover the view.
Item {
    id: video

    required property url url
    // The video's own sound plays only when this is on.
    required property bool audible
    readonly property alias player: player
    readonly property alias output: output

    // Each new frame drawn, for what follows the picture (a blurred backdrop, say).
    signal frameShown()

    MediaPlayer {
        id: player

        // A window closed to the tray decodes nothing; shown again, the video goes on where it
        // stood.
        readonly property bool shown: video.Window.visibility !== Window.Hidden

        source: video.url
        loops: MediaPlayer.Infinite
        videoOutput: output.videoSink
        Component.onCompleted: if (shown) play()
        Component.onDestruction: stop()
        onShownChanged: shown ? play() : pause()
        // Qt's backend says it still plays after an error. A file that cannot be played fails the same
        // way at every start, so it is stopped, and nothing waits for its first frame.
        onErrorOccurred: stop()

        function restart() {
            stop();
            if (shown)
                play();
        }

        // Muting does not touch the player, so the video runs on without a restart.
        audioOutput: AudioOutput {
            muted: !video.audible
        }
    }

    // A start that stalls without an error is noticed only by its missing first frame.
    VideoStartWatchdog {
        id: watchdog

        playing: player.playbackState === MediaPlayer.PlayingState
        videoSink: output.videoSink
        onRestartRequested: player.restart()
    }

    VideoFrameView {
        id: output

        anchors.fill: parent
        onFrameShown: video.frameShown()
    }
}
