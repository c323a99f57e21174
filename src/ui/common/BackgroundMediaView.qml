import QtQuick
import Quorvane.Common

// The background behind every screen: a picture scaled to cover the view and cropped about its centre,
// a video looping without end, or a plain dark colour when there is nothing to show.
Item {
    id: view

    required property url url
    // A video's own sound plays only when this is on.
    required property bool videoAudioTakesPriority
    readonly property bool isVideo: MediaTypes.isVideo(url)
    // How a video darkens its frames itself, as BackgroundVideoView takes it; a picture ignores it.
    property real shadeOpacity: 0
    property list<real> shadeGradient: []
    // The view shows a video's frames, darkened as asked: nothing need be drawn over it to darken it.
    readonly property bool shaded: isVideo && framesShown
    property bool framesShown: false

    // The size the picture is decoded at: the view in device pixels, the whole screen at most, so that a
    // library tile decodes a tile's worth. It only grows, so a smaller window keeps the decoded picture
    // and a larger one decodes it again.
    property size decodeSize: Qt.size(0, 0)

    // What the view shows changed: a picture became ready or went, or a video drew a new frame.
    signal contentChanged()

    function growDecodeSize() {
        const ratio = Screen.devicePixelRatio;
        const wanted = Qt.size(Math.ceil(Math.min(width, Screen.width) * ratio),
                               Math.ceil(Math.min(height, Screen.height) * ratio));
        if (wanted.width > decodeSize.width || wanted.height > decodeSize.height)
            decodeSize = Qt.size(Math.max(wanted.width, decodeSize.width), Math.max(wanted.height, decodeSize.height));
    }

    clip: true
    onWidthChanged: growDecodeSize()
    onHeightChanged: growDecodeSize()
    onUrlChanged: contentChanged()
    Component.onCompleted: growDecodeSize()

    Rectangle {
        anchors.fill: parent
        color: Theme.mediaPlaceholder
    }

    Image {
        objectName: "backgroundPicture"
        anchors.fill: parent
        visible: status === Image.Ready
        // Nothing is decoded before the view knows its size: a photo at full size costs far more memory
        // than the screen can show.
        source: view.isVideo || view.decodeSize.width <= 0 || view.decodeSize.height <= 0 ? "" : view.url
        // A size converts to the whole size the picture is decoded at; the QML tools of Qt 6.4 do not know
        // that conversion. One binding, so that a new size starts one decoding, not one per dimension.
        sourceSize: view.decodeSize // qmllint disable type
        // Decoding a large photo takes a while; the window stays responsive meanwhile.
        asynchronous: true
        fillMode: Image.PreserveAspectCrop
        autoTransform: true
        // A picture replaced on disk under the same name shows its new content.
        cache: false
        onStatusChanged: view.contentChanged()
    }

    Loader {
        id: video

        objectName: "backgroundVideo"
        anchors.fill: parent
        active: view.isVideo
        // The player exists only while the address is a video: a picture needs no pipeline.
        Component.onCompleted: setSource("BackgroundVideoView.qml", {
            "url": Qt.binding(() => view.url),
            "audible": Qt.binding(() => view.videoAudioTakesPriority),
            "shadeOpacity": Qt.binding(() => view.shadeOpacity),
            "shadeGradient": Qt.binding(() => view.shadeGradient)
        })
    }

    Connections {
        function onFrameShown() {
            view.framesShown = true;
            view.contentChanged();
        }

        target: video.item
    }
}
