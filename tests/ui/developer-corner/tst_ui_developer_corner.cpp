#include "ControllerHarness.h"
#include "MediaFixtures.h"
#include "TestProgram.h"
#include "ui/developer-corner/DeveloperCornerController.h"
#include "ui/shell/ViewSetup.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace {

const QUrl website(QStringLiteral("https://mirenvale.example.com/"));

} // namespace

// The developer corner in its sheet: it opens on the letter, the sidebar switches sections, the story
// opens the maker's website, and Esc closes the corner's alert before the sheet.
class UiDeveloperCornerTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow *m_window = nullptr;
    QQuickWindow *m_sheet = nullptr;

    QQuickItem *view() const { return m_sheet->property("view").value<QQuickItem *>(); }
    DeveloperCornerController *corner() const
    {
        return view() ? view()->property("corner").value<DeveloperCornerController *>() : nullptr;
    }
    // Searched through the visual tree: a Repeater's items are not among its parent's QObject children.
    static QQuickItem *findItem(QQuickItem *root, const QString &name)
    {
        if (root->objectName() == name)
            return root;
        for (QQuickItem *child : root->childItems()) {
            if (QQuickItem *found = findItem(child, name))
                return found;
        }
        return nullptr;
    }
    QQuickItem *item(const QString &name) const { return findItem(view(), name); }
    bool isShown(const QString &name) const
    {
        QQuickItem *found = item(name);
        return found && found->isVisible();
    }

    void click(QQuickItem *target) const
    {
        QVERIFY(target);
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(m_sheet, Qt::LeftButton, {}, centre.toPoint());
    }

    void pressEscape() const
    {
        m_sheet->requestActivate();
        QVERIFY(waitForFocus(m_sheet));
        QTest::keyClick(m_sheet, Qt::Key_Escape);
    }

private slots:
    void initTestCase()
    {
        m_controller
            = &m_harness.start([](AppControllerSeams &seams) { seams.developerCorner.websiteUrl = website; });
        setUpViews(*m_controller);
        m_engine = std::make_unique<QQmlApplicationEngine>();
        m_engine->load(QUrl(QStringLiteral("qrc:/qt-project.org/imports/Quorvane/Shell/Main.qml")));
        QVERIFY(!m_engine->rootObjects().isEmpty());
        m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().constFirst());
        QVERIFY(m_window);
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        m_sheet = m_window->findChild<QQuickWindow *>(QStringLiteral("developerCornerSheet"));
        QVERIFY(m_sheet);
    }

    void init()
    {
        m_harness.workspace->openedUrls.clear();
        m_controller->openDeveloperCorner();
        QVERIFY(QTest::qWaitForWindowExposed(m_sheet));
        QTRY_VERIFY_WITH_TIMEOUT(corner(), 10000);
    }

    void cleanup()
    {
        m_controller->sheets()->close(Sheets::Sheet::DeveloperCorner);
        QTRY_VERIFY_WITH_TIMEOUT(!m_sheet->isVisible(), 10000);
    }

    void opensOnAFreshLetter_data()
    {
        QTest::addColumn<int>("opening");
        QTest::newRow("first opening") << 1;
        QTest::newRow("after a visit to the support section") << 2;
    }

    void opensOnAFreshLetter()
    {
        QFETCH(int, opening);
        for (int i = 1; i < opening; ++i) {
            corner()->selectSection(QStringLiteral("support"));
            corner()->setAmount(QStringLiteral("9"));
            cleanup();
            init();
        }
        QCOMPARE(corner()->sectionName(), QStringLiteral("letter"));
        QCOMPARE(corner()->amount(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(isShown(QStringLiteral("emailField")), 10000);
        QVERIFY(isShown(QStringLiteral("letterForm")));
        QVERIFY(!isShown(QStringLiteral("sentCard")));
        QVERIFY(isShown(QStringLiteral("sendButton")));
    }

    void theSidebarSwitchesSections_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("shownItem");
        QTest::newRow("support") << QStringLiteral("support") << QStringLiteral("amountField");
        QTest::newRow("story") << QStringLiteral("story") << QStringLiteral("visitWebsiteButton");
        QTest::newRow("back to the letter") << QStringLiteral("letter") << QStringLiteral("emailField");
    }

    void theSidebarSwitchesSections()
    {
        QFETCH(QString, section);
        QFETCH(QString, shownItem);
        // Start elsewhere, so that every row's press is a switch.
        corner()->selectSection(section == u"letter" ? QStringLiteral("story") : QStringLiteral("letter"));
        click(item(QStringLiteral("sectionButton_") + section));
        QTRY_COMPARE_WITH_TIMEOUT(corner()->sectionName(), section, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(isShown(shownItem), 10000);

        // Tab brings each control it reaches into sight, in a letter with an image taller than the sheet.
        const QString picture = m_harness.file(QStringLiteral("a.png"));
        QVERIFY(writeFileBytes(picture, MediaFixtures::pngBytes()));
        corner()->addImageFiles({ picture });
        auto *shown
            = item(QStringLiteral("developerCornerScroll"))->property("contentItem").value<QQuickItem *>();
        for (int press = 0; press < 30; ++press) {
            QTest::keyClick(m_sheet, Qt::Key_Tab);
            QQuickItem *focused = m_sheet->activeFocusItem();
            QTRY_VERIFY(!shown->isAncestorOf(focused)
                || shown->boundingRect().contains(focused->mapRectToItem(shown, focused->boundingRect())));
        }
    }

    void theStoryButtonOpensTheWebsite()
    {
        click(item(QStringLiteral("sectionButton_story")));
        QTRY_VERIFY_WITH_TIMEOUT(isShown(QStringLiteral("visitWebsiteButton")), 10000);
        QVERIFY(item(QStringLiteral("visitWebsiteButton"))->isEnabled());
        click(item(QStringLiteral("visitWebsiteButton")));
        QTRY_COMPARE_WITH_TIMEOUT(m_harness.workspace->openedUrls, QList<QUrl> { website }, 10000);
        QVERIFY(m_sheet->isVisible());
    }

    void escapeClosesTheAlertBeforeTheSheet()
    {
        corner()->sendFeedback();
        QVERIFY(corner()->showingAlert());
        QObject *alert = view()->findChild<QObject *>(QStringLiteral("developerCornerOwnAlert"));
        QVERIFY(alert);
        QTRY_VERIFY_WITH_TIMEOUT(alert->property("opened").toBool(), 10000);
        pressEscape();
        QTRY_VERIFY_WITH_TIMEOUT(!corner()->showingAlert(), 10000);
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::DeveloperCorner));
        QTRY_VERIFY_WITH_TIMEOUT(!alert->property("visible").toBool(), 10000);
        pressEscape();
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->sheets()->isOpen(Sheets::Sheet::DeveloperCorner), 10000);
    }
};

QUORVANE_TEST_MAIN(UiDeveloperCornerTest)
#include "tst_ui_developer_corner.moc"
