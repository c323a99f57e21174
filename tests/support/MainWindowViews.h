#pragma once

#include "TestSupport.h"
#include "app/AppController.h"
#include "ui/effects/BackdropCapture.h"
#include "ui/settings/SettingsSession.h"
#include "ui/shell/ViewSetup.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QLineF>
#include <QMetaEnum>
#include <QMimeData>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>
#include <functional>
#include <memory>

// The item of that name among the item's visual descendants: delegates are found too.
inline QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    if (item->objectName() == name)
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

// The main window as the program shows it: Main.qml loaded over a started controller.
struct MainWindowViews
{
    // Image.Status: Null, Ready, Loading, Error.
    static constexpr int imageReady = 1;
    static constexpr int imageError = 3;

    // Loads the window and waits until it is on screen; false when it cannot be shown.
    bool load(AppController &controller)
    {
        setUpViews(controller);
        engine = std::make_unique<QQmlApplicationEngine>();
        addImageProviders(*engine, controller);
        engine->load(QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/Main.qml")));
        window = engine->rootObjects().isEmpty()
            ? nullptr
            : qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
        root = window ? window->findChild<QQuickItem *>(QStringLiteral("rootView")) : nullptr;
        return root && QTest::qWaitForWindowExposed(window);
    }

    // True once the background has nothing left to load: its picture is decoded, or failed for good, or the
    // background is a video. The picture is decoded off the main thread, so a window on screen may not show
    // it yet.
    static bool backgroundHasLoaded(QQuickWindow &window)
    {
        // The background's view is built by a repeater, so it is found among the visual descendants.
        const QQuickItem *picture = findItem(window.contentItem(), QStringLiteral("backgroundPicture"));
        if (!picture)
            return false;
        if (picture->parentItem()->property("isVideo").toBool())
            return true;
        const int status = picture->property("status").toInt();
        return (status == imageReady || status == imageError) && glassShowsTheScene(window);
    }

    // The glass panels blur a capture of the scene that is taken again a frame after the scene changes.
    static bool glassShowsTheScene(QQuickWindow &window)
    {
        const QQuickItem *scene = findItem(window.contentItem(), QStringLiteral("scene"));
        const auto *capture
            = scene ? scene->findChild<BackdropCapture *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
        return !capture || capture->isCurrent();
    }

    std::unique_ptr<QQmlApplicationEngine> engine;
    QQuickWindow *window = nullptr;
    QQuickItem *root = nullptr;
};

// The item's centre in its window: where a click on it lands.
inline QPoint centreOf(const QQuickItem *item)
{
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
}

// A sheet's window by its name ("settings", "statistics", "notes", "developerCorner"), once the main
// window has made it.
inline QQuickWindow *sheetWindow(const QQuickWindow &main, const QString &name)
{
    return main.findChild<QQuickWindow *>(name + QStringLiteral("Sheet"));
}

// The controller's sheet whose window is "<name>Sheet": "notes" is the journal.
inline Sheets::Sheet sheetNamed(const QString &name)
{
    return name == u"notes" ? Sheets::Sheet::Journal
                            : Sheets::Sheet(QMetaEnum::fromType<Sheets::Sheet>().keyToValue(
                                (name.left(1).toUpper() + name.mid(1)).toLatin1().constData()));
}

inline QQuickWindow *settingsSheet(const MainWindowViews &views)
{
    return sheetWindow(*views.window, QStringLiteral("settings"));
}

// Whether a focus ring shows, searched through the items' own tree: a list's rows have no object parent.
inline bool ringShows(const QQuickItem *item)
{
    return (item->objectName() == u"focusRing" && item->isVisible())
        || std::ranges::any_of(item->childItems(), ringShows);
}

// What the settings sheet shows; none while it is closed.
inline QQuickItem *settingsView(const MainWindowViews &views)
{
    QQuickWindow *sheet = settingsSheet(views);
    return sheet ? sheet->property("view").value<QQuickItem *>() : nullptr;
}

// The open settings sheet's session, which its view made; none while the sheet is closed.
inline SettingsSession *settingsSession(const QQuickWindow *sheet)
{
    auto *view = sheet ? sheet->property("view").value<QQuickItem *>() : nullptr;
    return view ? view->property("session").value<SettingsSession *>() : nullptr;
}

// Opens the settings sheet as the header does and waits until the sheet itself has the focus.
inline void openSettingsSheet(AppController &controller, const MainWindowViews &views)
{
    controller.openSettings();
    QQuickWindow *sheet = settingsSheet(views);
    QVERIFY(sheet);
    QVERIFY(QTest::qWaitForWindowExposed(sheet));
    QTRY_VERIFY(settingsView(views));
    sheet->requestActivate();
    QVERIFY(waitForFocus(sheet));
}

// Clicks the pane's row in the open sheet's sidebar and waits until the sheet has switched to it.
inline void chooseSettingsPane(const MainWindowViews &views, const QString &pane)
{
    QQuickItem *row = findItem(settingsView(views), QStringLiteral("paneRow_") + pane);
    QVERIFY(row);
    QTest::mouseClick(row->window(), Qt::LeftButton, {}, centreOf(row));
    QTRY_COMPARE(settingsSession(settingsSheet(views))->selectedPaneName(), pane);
}

// Moves the held pointer over the window in small steps, as a hand does.
inline void movePointer(QWindow *window, QPoint &at, QPoint to)
{
    const int steps = std::max(1, int(QLineF(at, to).length() / 6));
    for (int step = 1; step <= steps; ++step)
        QTest::mouseMove(window, at + (to - at) * step / steps);
    at = to;
}

// Sends a file manager's drag of `mime` over `at` in the window, then its drop, offering a copy or a move;
// Shift makes it propose the move. `whileOver` runs while the drag hovers, before the drop. Returns the
// action the drop was accepted with, IgnoreAction when it was refused.
inline Qt::DropAction dropOnto(QWindow *window, QPoint at, const QMimeData &mime,
    const std::function<void()> &whileOver = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &mime, Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(window, &enter);
    QDragMoveEvent move(at + QPoint(2, 1), offered, &mime, Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(window, &move);
    if (whileOver)
        whileOver();
    QDropEvent drop(QPointF(at + QPoint(2, 1)), offered, &mime, Qt::NoButton, modifiers);
    [&] { QCOMPARE(drop.proposedAction(), modifiers ? Qt::MoveAction : Qt::CopyAction); }();
    QCoreApplication::sendEvent(window, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}
