#pragma once

#include "ControllerHarness.h"
#include "MainWindowViews.h"
#include "ui/settings/SettingsSession.h"

#include <QObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

// What the settings sheet's view tests share: a controller over the tests' fakes, the main window's views
// over it, and the sheet as the tests find and drive it. Each of those test classes derives from it.
class SettingsSheetTest : public QObject
{
protected:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    MainWindowViews m_views;

    QQuickWindow *sheet() const { return settingsSheet(m_views); }
    QQuickItem *view() const { return settingsView(m_views); }
    QQuickItem *inView(const QString &name) const { return view() ? findItem(view(), name) : nullptr; }
    SettingsSession &session() const { return *settingsSession(sheet()); }

    void click(QQuickItem *item)
    {
        QVERIFY(item);
        QTest::mouseClick(item->window(), Qt::LeftButton, {}, centreOf(item));
    }

    // Between tests: the sheet and any alert over it closed.
    void closeSheet()
    {
        m_controller->sheets()->setShowingAlert(false);
        m_controller->sheets()->close(Sheets::Sheet::Settings);
        QTRY_VERIFY(!sheet()->isVisible());
    }
};
