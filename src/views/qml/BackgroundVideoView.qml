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

    MediaPlayer {
        id: player

        // Qt's GStreamer backend now and then fails to start a pipeline that shares the
        // window's OpenGL context, and a fresh start then plays. A file that cannot be played
        // fails every time and is left alone after a few starts.
        property int failedStarts: 0
        readonly property int startLimit: 4
        // A window closed to the tray decodes nothing; shown again, the video goes on where it
        // stood.
        readonly property bool shown: video.Window.visibility !== Window.Hidden

        source: video.url
        loops: MediaPlayer.Infinite
        videoOutput: output
        Component.onCompleted: if (shown) play()
        Component.onDestruction: stop()
        onShownChanged: shown ? play() : pause()
        onErrorOccurred: {
            failedStarts += 1;
            if (failedStarts < startLimit)
                Qt.callLater(restart);
        }

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

    // A window shown again builds its graphics anew, and the sink is handed them.
    Connections {
        target: video.Window.window
        function onSceneGraphInitialized() { watchdog.sinkGraphicsChanged() }
    }

    VideoOutput {
        id: output

        anchors.fill: parent
        fillMode: VideoOutput.PreserveAspectCrop
    }
}
