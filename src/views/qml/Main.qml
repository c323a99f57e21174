import QtQuick
import QtQuick.Window

Window {
    id: window
    title: windowTitle
    width: 1240
    height: 880
    minimumWidth: 760
    minimumHeight: 540
    color: "#0E141B"
    visible: true
}
