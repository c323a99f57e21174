import QtQuick
import QtQuick.Window
import Quorvane.Common

// The four sheets of the main window, each bound both ways to its controller flag: the flag opens the
// sheet, and Esc or the window manager's close clears the flag.
//
// A sheet's view plugs in as the `content` of its window, by the address of its file in its feature's
// module: SettingsView, StatisticsView, NotesView and DeveloperCornerView. The view's root
// item is sized to the sheet, reaches the controller through the AppController singleton and closes its
// sheet by clearing the flag (AppController.sheets.showingSettings = false). It is created when the flag rises
// and destroyed when it falls, so each opening starts from fresh state.
Item {
    id: host

    SheetWindow {
        objectName: "settingsSheet"
        sheetName: "settings"
        title: Texts.L("柯帆设置", "Quorvane Settings")
        fixedSize: Qt.size(920, 720)
        transientParent: host.Window.window
        showing: AppController.sheets.showingSettings
        onDismissed: AppController.sheets.showingSettings = false
        content: "qrc:/qt-project.org/imports/Quorvane/Settings/SettingsView.qml"
    }

    SheetWindow {
        objectName: "statisticsSheet"
        sheetName: "statistics"
        title: Texts.L("每日节律", "Daily Rhythm")
        fixedSize: Qt.size(900, 720)
        transientParent: host.Window.window
        showing: AppController.sheets.showingStatistics
        onDismissed: AppController.sheets.showingStatistics = false
        content: "qrc:/qt-project.org/imports/Quorvane/Statistics/StatisticsView.qml"
    }

    SheetWindow {
        objectName: "notesSheet"
        sheetName: "notes"
        title: Texts.L("工作日志", "Notes Journal")
        fixedSize: Qt.size(1020, 720)
        transientParent: host.Window.window
        showing: AppController.sheets.showingNotes
        onDismissed: AppController.sheets.showingNotes = false
        content: "qrc:/qt-project.org/imports/Quorvane/Journal/NotesView.qml"
    }

    SheetWindow {
        objectName: "developerCornerSheet"
        sheetName: "developerCorner"
        title: Texts.L("开发者角落", "Developer Corner")
        fixedSize: Qt.size(920, 720)
        transientParent: host.Window.window
        showing: AppController.sheets.showingDeveloperCorner
        onDismissed: AppController.sheets.showingDeveloperCorner = false
        content: "qrc:/qt-project.org/imports/Quorvane/DeveloperCorner/DeveloperCornerView.qml"
    }
}
