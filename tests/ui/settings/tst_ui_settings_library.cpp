#include "SettingsSheetTest.h"
#include "TestProgram.h"
#include "X11TestInput.h"
#include "core/Uuid.h"
#include "platform/DialogFilePicker.h"
#include "ui/settings/BackgroundLibraryModel.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMimeData>
#include <QScopeGuard>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

bool writePicture(const QString &path, const QColor &color)
{
    QImage image(32, 20, QImage::Format_RGB32);
    image.fill(color);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path);
}

QString letter(int index)
{
    return QString(QChar(u'A' + index));
}

} // namespace

// The background library editor in the open settings sheet on a real X server: clicks, tile drags
// and files dropped as a file manager sends them.
class UiSettingsLibraryTest : public SettingsSheetTest
{
    Q_OBJECT

private:
    // Counts the events of one type that reach a window.
    class EventCount : public QObject
    {
    public:
        explicit EventCount(QEvent::Type type)
            : m_type(type)
        { }

        int count = 0;

    protected:
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == m_type;
            return false;
        }

    private:
        QEvent::Type m_type;
    };

    QTemporaryDir m_userFiles;

    BackgroundLibraryModel &library() const { return *session().backgroundLibrary(); }
    QQuickItem *editor() const
    {
        return view() ? findItem(view(), QStringLiteral("backgroundLibraryEditor")) : nullptr;
    }
    QQuickItem *inEditor(const QString &name) const { return editor() ? findItem(editor(), name) : nullptr; }
    QQuickItem *tile(const BackgroundMediaItem &item) const
    {
        return inEditor(QStringLiteral("libraryTile_") + Uuid::upperText(item.id));
    }

    // Opens the sheet on the appearance pane, as the header and the sidebar do.
    void openSheet()
    {
        openSettingsSheet(*m_controller, m_views);
        chooseSettingsPane(m_views, QStringLiteral("appearance"));
        QTRY_VERIFY(editor());
    }

    // Puts pictures named A, B, C, ... into the working copy's library, one file each in the managed
    // folder. The library arrives before the switch, so the count's rule sees only the library.
    QList<BackgroundMediaItem> showLibrary(int count, int active = 0, bool rotates = false)
    {
        QList<BackgroundMediaItem> items;
        const QDir folder(AppStorageService::backgroundDirectory(m_harness.root()));
        for (int index = 0; index < count; ++index) {
            const QString name = index < 26 ? letter(index) : QStringLiteral("Z%1").arg(index);
            const QString path
                = folder.filePath(Uuid::lowerText(QUuid::createUuid()) + u'/' + name + u".png"_s);
            [&] { QVERIFY(writePicture(path, QColor::fromHsv(index * 37 % 360, 160, 200))); }();
            items.append({ QUuid::createUuid(), name, path });
        }
        AppPreferences draft = session().draft();
        draft.backgroundLibrary = items;
        draft.activeBackgroundID
            = active >= 0 && active < count ? std::optional(items[active].id) : std::nullopt;
        draft.backgroundPath
            = active >= 0 && active < count ? std::optional(items[active].path) : std::nullopt;
        session().setDraft(draft);
        draft.rotateBackgroundEachRound = rotates;
        session().setDraft(draft);
        return items;
    }

    // Every item has its tile, each in a place of its own.
    bool laidOut(const QList<BackgroundMediaItem> &items) const
    {
        QSet<QPoint> places { centreOf(inEditor(QStringLiteral("builtInTile"))) };
        for (const BackgroundMediaItem &item : items) {
            QQuickItem *shown = tile(item);
            if (!shown || places.contains(centreOf(shown)))
                return false;
            places.insert(centreOf(shown));
        }
        return true;
    }

    // Each item's tile is in its place of the grid, after the built-in tile.
    bool inGridOrder(const QList<BackgroundMediaItem> &items) const
    {
        for (qsizetype index = 0; index < items.size(); ++index) {
            const QQuickItem *shown = tile(items[index]);
            const qsizetype place = index + 1;
            if (!shown || std::abs(shown->x() - (place % 3) * (shown->width() + 10)) > 0.5
                || std::abs(shown->y() - (place / 3) * (shown->height() + 10)) > 0.5)
                return false;
        }
        return true;
    }

    QString order() const
    {
        QString names;
        for (const BackgroundMediaItem &item : session().draft().backgroundLibrary)
            names += item.name;
        return names;
    }

    QString activeName() const
    {
        for (const BackgroundMediaItem &item : session().draft().backgroundLibrary) {
            if (session().draft().activeBackgroundID == item.id)
                return item.name;
        }
        return {};
    }

    // Sends a file manager's drag of `mime` over `at`, then its drop; Shift makes it propose a move.
    // Reports whether the outline showed and returns the action the drop was accepted with.
    Qt::DropAction dropAt(QPoint at, const QMimeData &mime, bool *outlineShown = nullptr,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        return dropOnto(
            sheet(), at, mime,
            [&] {
                if (outlineShown)
                    *outlineShown = inEditor(QStringLiteral("libraryDropOutline"))->isVisible();
            },
            modifiers);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_userFiles.isValid());
        m_controller = &m_harness.start();
        QVERIFY(m_views.load(*m_controller));
    }

    void cleanup()
    {
        closeSheet();
        QTRY_VERIFY(!view());
    }

    void emptyLibraryShowsTheBuiltInTileActive()
    {
        openSheet();
        showLibrary(0);
        QCOMPARE(
            inEditor(QStringLiteral("libraryCount"))->property("text").toString(), QStringLiteral("0 / 30"));
        QVERIFY(inEditor(QStringLiteral("addMediaButton"))->isEnabled());
        QVERIFY(!inEditor(QStringLiteral("rotateSwitch"))->isEnabled());
        QCOMPARE(inEditor(QStringLiteral("rotateRow"))->opacity(), 0.48);
        QVERIFY(findItem(inEditor(QStringLiteral("builtInTile")), QStringLiteral("activeMark"))->isVisible());
    }

    void reorderByDrag_data()
    {
        QTest::addColumn<int>("dragged");
        // The tiles the drag enters in turn, by their letters, and the order after each.
        QTest::addColumn<QStringList>("hops");
        QTest::addColumn<QStringList>("orders");

        QTest::newRow("A over C") << 0 << strings({ "C" }) << strings({ "BCA" });
        QTest::newRow("C over A") << 2 << strings({ "A" }) << strings({ "CAB" });
        QTest::newRow("B over C") << 1 << strings({ "C" }) << strings({ "ACB" });
        QTest::newRow("A over B, then C") << 0 << strings({ "B", "C" }) << strings({ "BAC", "BCA" });
        QTest::newRow("over its own place") << 0 << strings({ "A" }) << strings({ "ABC" });
    }

    void reorderByDrag()
    {
        QFETCH(int, dragged);
        QFETCH(QStringList, hops);
        QFETCH(QStringList, orders);

        openSheet();
        const QList<BackgroundMediaItem> items = showLibrary(3);
        QTRY_VERIFY(laidOut(items));
        // Where the grid puts its first four tiles: the built-in one, then the library's.
        QList<QPoint> places { centreOf(inEditor(QStringLiteral("builtInTile"))) };
        for (const BackgroundMediaItem &item : items)
            places.append(centreOf(tile(item)));
        const auto settled = [&] {
            const QList<BackgroundMediaItem> library = session().draft().backgroundLibrary;
            for (qsizetype index = 0; index < library.size(); ++index) {
                if (centreOf(tile(library[index])) != places[index + 1])
                    return false;
            }
            return true;
        };

        QPoint at = places[dragged + 1];
        QTest::mousePress(sheet(), Qt::LeftButton, {}, at);
        movePointer(sheet(), at, at + QPoint(18, 6));
        QCOMPARE(library().draggedIdText(), Uuid::upperText(items[dragged].id));
        for (qsizetype hop = 0; hop < hops.size(); ++hop) {
            movePointer(sheet(), at, places[order().indexOf(hops[hop]) + 1]);
            // The tiles move while the pointer is still held.
            QTRY_COMPARE(order(), orders[hop]);
            QTRY_VERIFY(settled());
        }
        QTest::mouseRelease(sheet(), Qt::LeftButton, {}, at);
        QCOMPARE(library().draggedIdText(), QString());
        QCOMPARE(order(), orders.last());
        // A drag is not a click: the active item stays.
        QCOMPARE(activeName(), QStringLiteral("A"));
    }

    void keysReachAndChooseEveryTileInSight_data()
    {
        QTest::addColumn<bool>("back");
        QTest::newRow("Tab, then Space") << false;
        QTest::newRow("Shift+Tab, then Return, which does not save") << true;
    }

    // The keys walk the built-in tile, then each tile and its remove button in the grid's order.
    void keysReachAndChooseEveryTileInSight()
    {
        QFETCH(bool, back);
        openSheet();
        const QList<BackgroundMediaItem> items = showLibrary(11);
        QTRY_VERIFY(laidOut(items));
        QQuickItem *builtIn = findItem(inEditor(u"builtInTile"_s), u"tileChooser"_s);
        QList<QQuickItem *> stops { builtIn };
        for (const BackgroundMediaItem &item : items)
            stops << findItem(tile(item), u"tileChooser"_s) << findItem(tile(item), u"removeButton"_s);
        if (back)
            std::reverse(stops.begin(), stops.end());
        auto *pane = inView(u"paneArea"_s)->property("contentItem").value<QQuickItem *>();
        inEditor(back ? u"rotateSwitch"_s : u"libraryFolderButton"_s)->forceActiveFocus(Qt::TabFocusReason);
        for (QQuickItem *stop : std::as_const(stops)) {
            QTest::keyClick(sheet(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(sheet()->activeFocusItem(), stop);
            QVERIFY(findItem(stop, u"focusRing"_s)->isVisible());
            QTRY_VERIFY(pane->boundingRect().contains(stop->mapRectToItem(pane, stop->boundingRect())));
            if (stop->objectName() == u"tileChooser") {
                QTest::keyClick(sheet(), back ? Qt::Key_Return : Qt::Key_Space);
                QAccessibleInterface *read = QAccessible::queryAccessibleInterface(stop);
                QCOMPARE(activeName(), stop == builtIn ? QString() : read->text(QAccessible::Name));
                QVERIFY(read->state().checked);
            }
        }
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        // Removed by the keys, the last tile leaves them on the one before.
        QTest::keyClick(sheet(), Qt::Key_Space);
        QTRY_COMPARE(sheet()->activeFocusItem(), back ? builtIn : stops[stops.size() - 4]);
    }

    void fileDroppedOnTheGridIsImported_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("shift");

        QTest::newRow("on a tile, then Cancel") << u"tile"_s << u"cancel"_s << false;
        QTest::newRow("on the built-in tile, then Cancel") << u"builtInTile"_s << u"cancel"_s << false;
        QTest::newRow("on a tile, then Save") << u"tile"_s << u"save"_s << false;
        // The file is copied all the same, so the source must not take the drop for a move.
        QTest::newRow("a move proposed, then Save") << u"tile"_s << u"save"_s << true;
    }

    void fileDroppedOnTheGridIsImported()
    {
        QFETCH(QString, target);
        QFETCH(QString, way);
        QFETCH(bool, shift);

        openSheet();
        const QList<BackgroundMediaItem> items = showLibrary(2);
        QTRY_VERIFY(laidOut(items));
        const QString picture = m_userFiles.filePath(
            QStringLiteral("dusk %1.png").arg(QString::fromUtf8(QTest::currentDataTag())));
        QVERIFY(writePicture(picture, QColor(0xE0, 0x8A, 0x5A)));
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile(picture) });

        bool outlineShown = false;
        QQuickItem *over = target == u"tile" ? tile(items[1]) : inEditor(target);
        QCOMPARE(dropAt(centreOf(over), mime, &outlineShown, shift ? Qt::ShiftModifier : Qt::NoModifier),
            Qt::CopyAction);
        QVERIFY(outlineShown);
        QVERIFY(!inEditor(QStringLiteral("libraryDropOutline"))->isVisible());
        QTRY_COMPARE(library().count(), 3);
        const BackgroundMediaItem imported = session().draft().backgroundLibrary.last();
        QCOMPARE(activeName(), imported.name);
        QVERIFY(imported.path.startsWith(AppStorageService::backgroundDirectory(m_harness.root())));
        QVERIFY(QFileInfo::exists(imported.path));
        QCOMPARE(order(), QStringLiteral("AB") + imported.name);

        click(findItem(view(), way + QStringLiteral("Button")));
        QTRY_VERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        QTRY_VERIFY(!view());
        QCOMPARE(QFileInfo::exists(imported.path), way == u"save");
        QVERIFY(QFileInfo::exists(picture));
    }

    void foreignTextDragMovesNothing()
    {
        openSheet();
        const QList<BackgroundMediaItem> items = showLibrary(3);
        QTRY_VERIFY(laidOut(items));
        QMimeData mime;
        mime.setText(Uuid::upperText(items[0].id));
        QCOMPARE(dropAt(centreOf(tile(items[2])), mime), Qt::IgnoreAction);
        QCOMPARE(order(), QStringLiteral("ABC"));
        QCOMPARE(library().count(), 3);
    }

    void addingStopsAtThirty_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("canAddAfter");

        QTest::newRow("empty, two chosen") << 0 << 2 << 2 << true;
        QTest::newRow("27, five chosen") << 27 << 5 << 30 << false;
        QTest::newRow("29, one chosen") << 29 << 1 << 30 << false;
    }

    void addingStopsAtThirty()
    {
        QFETCH(int, present);
        QFETCH(int, chosen);
        QFETCH(int, expected);
        QFETCH(bool, canAddAfter);

        openSheet();
        showLibrary(present);
        m_harness.picker->selection.clear();
        for (int index = 0; index < chosen; ++index) {
            const QString path
                = m_userFiles.filePath(QStringLiteral("pick-%1-%2.png").arg(present).arg(index));
            QVERIFY(writePicture(path, QColor::fromHsv(index * 50, 200, 180)));
            m_harness.picker->selection.append(path);
        }
        const int shown = m_harness.picker->shown;
        QQuickItem *add = inEditor(QStringLiteral("addMediaButton"));
        click(add);
        QCOMPARE(m_harness.picker->shown, shown + 1);
        QCOMPARE(library().count(), expected);
        QCOMPARE(activeName(), QStringLiteral("pick-%1-0").arg(present));
        QCOMPARE(inEditor(QStringLiteral("libraryCount"))->property("text").toString(),
            QStringLiteral("%1 / 30").arg(expected));
        QTRY_COMPARE(add->isEnabled(), canAddAfter);

        click(add);
        QCOMPARE(m_harness.picker->shown, shown + (canAddAfter ? 2 : 1));
    }

    void removeTile_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<int>("active");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("orderAfter");
        // Empty: the built-in background.
        QTest::addColumn<QString>("activeAfter");

        QTest::newRow("the active one of three") << 3 << 0 << 0 << "BC"
                                                 << "B";
        QTest::newRow("the middle one of three, the last active") << 3 << 2 << 1 << "AC"
                                                                  << "C";
        QTest::newRow("the only one") << 1 << 0 << 0 << ""
                                      << "";
        QTest::newRow("one while the built-in is active") << 2 << -1 << 1 << "A"
                                                          << "";
    }

    void removeTile()
    {
        QFETCH(int, present);
        QFETCH(int, active);
        QFETCH(int, removed);
        QFETCH(QString, orderAfter);
        QFETCH(QString, activeAfter);

        openSheet();
        const QList<BackgroundMediaItem> items = showLibrary(present, active);
        QTRY_VERIFY(laidOut(items));
        // A removal closes the gap at once: the tiles after it never pass through places between the grid's.
        QObject watch;
        bool offGrid = false;
        for (qsizetype index = removed + 1; index < items.size(); ++index) {
            QQuickItem *shown = tile(items[index]);
            const auto check = [&, shown] {
                const qreal columnWidth = shown->width() + 10;
                const qreal rowHeight = shown->height() + 10;
                offGrid = offGrid
                    || std::abs(shown->x() - std::round(shown->x() / columnWidth) * columnWidth) > 0.5
                    || std::abs(shown->y() - std::round(shown->y() / rowHeight) * rowHeight) > 0.5;
            };
            connect(shown, &QQuickItem::xChanged, &watch, check);
            connect(shown, &QQuickItem::yChanged, &watch, check);
        }
        click(findItem(tile(items[removed]), QStringLiteral("removeButton")));
        QTRY_COMPARE(order(), orderAfter);
        QCOMPARE(activeName(), activeAfter);
        QCOMPARE(session().draft().backgroundPath.has_value(), !activeAfter.isEmpty());
        QTRY_VERIFY(!tile(items[removed]));
        QList<BackgroundMediaItem> kept = items;
        kept.removeAt(removed);
        QTRY_VERIFY(inGridOrder(kept));
        QVERIFY(!offGrid);
        QVERIFY(QFileInfo::exists(items[removed].path));
        // Exactly one tile carries the checkmark.
        QList<QQuickItem *> marked;
        QQuickItem *builtInMark
            = findItem(inEditor(QStringLiteral("builtInTile")), QStringLiteral("activeMark"));
        if (builtInMark->isVisible())
            marked.append(builtInMark);
        for (const BackgroundMediaItem &item : items) {
            if (QQuickItem *shown = tile(item);
                shown && findItem(shown, QStringLiteral("activeMark"))->isVisible())
                marked.append(shown);
        }
        QCOMPARE(marked.size(), 1);
        const int activeRow = int(orderAfter.indexOf(activeAfter));
        QCOMPARE(marked.first(),
            activeAfter.isEmpty() ? builtInMark : tile(session().draft().backgroundLibrary[activeRow]));
    }

    void rotationNeedsTwoItems_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<int>("removals");
        QTest::addColumn<bool>("rotatesAfter");
        QTest::addColumn<bool>("switchEnabled");

        QTest::newRow("three, one removed") << 3 << 1 << true << true;
        QTest::newRow("two, one removed") << 2 << 1 << false << false;
        QTest::newRow("three, two removed") << 3 << 2 << false << false;
        QTest::newRow("one, as loaded") << 1 << 0 << true << false;
    }

    void rotationNeedsTwoItems()
    {
        QFETCH(int, present);
        QFETCH(int, removals);
        QFETCH(bool, rotatesAfter);
        QFETCH(bool, switchEnabled);

        openSheet();
        const QList<BackgroundMediaItem> items = showLibrary(present, 0, true);
        QTRY_VERIFY(laidOut(items));
        for (int removal = 0; removal < removals; ++removal)
            click(findItem(tile(items[removal]), QStringLiteral("removeButton")));
        QTRY_COMPARE(library().count(), present - removals);
        QQuickItem *rotate = inEditor(QStringLiteral("rotateSwitch"));
        QCOMPARE(session().draft().rotateBackgroundEachRound, rotatesAfter);
        QTRY_COMPARE(rotate->property("checked").toBool(), rotatesAfter);
        QCOMPARE(rotate->isEnabled(), switchEnabled);
        QCOMPARE(inEditor(QStringLiteral("rotateRow"))->opacity(), switchEnabled ? 1.0 : 0.48);

        // The switch writes the working copy only where it may be used.
        click(rotate);
        QCOMPARE(session().draft().rotateBackgroundEachRound, switchEnabled ? !rotatesAfter : rotatesAfter);
    }

    // Tiles scrolled out of the pane are clipped away whole, also from the whole sheet that the software
    // adaptation puts on screen again once a dialog closes over it.
    void tilesScrolledAwayStayOffTheHeader()
    {
        X11TestInput input;
        QVERIFY(input.isUsable());
        openSheet();
        const QList<BackgroundMediaItem> items = showLibrary(9);
        QTRY_VERIFY(laidOut(items));
        auto *pane = findItem(view(), u"paneArea"_s)->property("contentItem").value<QQuickItem *>();
        const QPoint over = sheet()->mapToGlobal(centreOf(pane));
        input.moveTo(over.x(), over.y());
        EventCount notches(QEvent::Wheel);
        sheet()->installEventFilter(&notches);
        input.turnWheel(5, 30);
        QTRY_COMPARE(notches.count, 30);
        QTRY_VERIFY(pane->property("atYEnd").toBool());
        QSignalSpy drawn(sheet(), &QQuickWindow::frameSwapped);
        chooseSettingsPane(m_views, u"audio"_s);
        QTRY_VERIFY(!drawn.isEmpty());
        const QQuickItem *band = findItem(view(), u"settingsHeader"_s);
        const auto header = [&] {
            return sheet()
                ->screen()
                ->grabWindow(sheet()->winId(), 0, 0, sheet()->width(), int(band->height()))
                .toImage();
        };
        const QImage before = header();

        // After an expose the software adaptation puts the whole sheet on screen again.
        EventCount exposes(QEvent::Expose);
        // The dialog closes without a choice, as Esc closes it.
        m_harness.picker->selection.clear();
        m_harness.picker->whileOpen = [&] {
            QWindow dialog;
            dialog.setTransientParent(sheet());
            dialog.setModality(Qt::ApplicationModal);
            dialog.setGeometry(QRect(sheet()->position() + QPoint(150, 110), QSize(600, 420)));
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            sheet()->installEventFilter(&exposes);
        };
        const auto forget = qScopeGuard([this] { m_harness.picker->whileOpen = {}; });
        const QPoint add = sheet()->mapToGlobal(centreOf(findItem(view(), u"addMusicButton"_s)));
        input.moveTo(add.x(), add.y());
        input.click(1);
        QTRY_VERIFY(exposes.count > 0);
        QCOMPARE(header(), before);
    }

    void fileDialogOpensAboveTheSheet()
    {
        openSheet();
        QWindow *owner = nullptr;
        bool modal = false;
        QStringList filters;
        bool namesOnly = false;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            const QList<QWidget *> windows = QApplication::topLevelWidgets();
            for (QWidget *window : windows) {
                auto *dialog = qobject_cast<QFileDialog *>(window);
                if (!dialog || !dialog->isVisible())
                    continue;
                owner = dialog->windowHandle() ? dialog->windowHandle()->transientParent() : nullptr;
                modal = dialog->isModal();
                filters = dialog->nameFilters();
                namesOnly = dialog->testOption(QFileDialog::HideNameFilterDetails);
                dialog->reject();
            }
        });
        poll.start();
        const QStringList chosen = DialogFilePicker().pickFiles(QStringLiteral("Add Media"),
            { { u"图片"_s, { u"*.png"_s, u"*.jpg"_s } } }, QStandardPaths::PicturesLocation);
        poll.stop();
        QVERIFY(chosen.isEmpty());
        QCOMPARE(owner, sheet());
        QVERIFY(modal);
        QCOMPARE(filters, QStringList { u"图片 (*.png *.jpg)"_s });
        QVERIFY(namesOnly);
    }
};

QUORVANE_TEST_MAIN(UiSettingsLibraryTest)
#include "tst_ui_settings_library.moc"
