import QtQuick
import QtQuick.Window
import Quorvane.Common

// The four sheets of the main window, each open while the controller counts it open
// (AppController.sheets.open(Sheets.Settings)); Esc or the window manager's close closes it there.
//
// A sheet's view plugs in as the `content` of its window, by the address of its file in its feature's
// module: SettingsView, StatisticsView, NotesView and DeveloperCornerView. The view's root
// item is sized to the sheet, reaches the controller through the AppController singleton and closes its
// sheet through it (AppController.sheets.close(Sheets.Settings)). It is created when the sheet opens and
// destroyed when it closes, so each opening starts from fresh state.
Item {
    id: host

    SheetWindow {
        objectName: "settingsSheet"
        kind: Sheets.Settings
        title: Texts.L("柯帆设置", "Quorvane Settings")
        fixedSize: Qt.size(920, 720)
        transientParent: host.Window.window
        content: "qrc:/qt-project.org/imports/Quorvane/Settings/SettingsView.qml"
    }

    SheetWindow {
        objectName: "statisticsSheet"
        kind: Sheets.Statistics
        title: Texts.L("每日节律", "Daily Rhythm")
        fixedSize: Qt.size(900, 720)
        transientParent: host.Window.window
        content: "qrc:/qt-project.org/imports/Quorvane/Statistics/StatisticsView.qml"
    }

    SheetWindow {
        objectName: "notesSheet"
        kind: Sheets.Journal
        title: Texts.L("工作日志", "Notes Journal")
        fixedSize: Qt.size(1020, 720)
        transientParent: host.Window.window
        content: "qrc:/qt-project.org/imports/Quorvane/Journal/NotesView.qml"
    }

    SheetWindow {
        objectName: "developerCornerSheet"
        kind: Sheets.DeveloperCorner
        title: Texts.L("开发者角落", "Developer Corner")
        fixedSize: Qt.size(920, 720)
        transientParent: host.Window.window
        content: "qrc:/qt-project.org/imports/Quorvane/DeveloperCorner/DeveloperCornerView.qml"
    }
}
