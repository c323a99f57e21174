#include "ControllerHarness.h"
#include "MainWindowViews.h"
#include "ManagedDisplay.h"
#include "X11TestInput.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QHash<QString, xcb_keysym_t> keysyms { { u"Tab"_qs, 0xff09 }, { u"Return"_qs, 0xff0d },
    { u"Escape"_qs, 0xff1b }, { u"Left"_qs, 0xff51 }, { u"Right"_qs, 0xff53 }, { u"End"_qs, 0xff57 } };

} // namespace

class UiKeyboardTest : public QObject
{
    Q_OBJECT

    ControllerHarness m_harness;
    AppController *m_controller = nullptr;
    MainWindowViews m_views;
    X11TestInput m_input;

    QQuickWindow *window(const QString &name) const
    {
        return name == u"main" ? m_views.window : sheetWindow(*m_views.window, name);
    }
    QQuickItem *item(QQuickWindow *w, const QString &name) const { return findItem(w->contentItem(), name); }
    static QString focused(QQuickWindow *w)
    {
        return w->activeFocusItem() ? w->activeFocusItem()->objectName() : QString();
    }
    QByteArray preferences() const { return readFileBytes(m_harness.file(u"preferences.json"_qs)); }

    // Waits until the window has had the key (a Tab until the keys have moved).
    void tap(QQuickWindow *window, const QString &key)
    {
        const QQuickItem *before = window->activeFocusItem();
        m_input.tap(keysyms.value(key));
        m_input.sync();
        if (key == u"Tab")
            QTRY_VERIFY2_WITH_TIMEOUT(
                window->activeFocusItem() != before, qPrintable(focused(window)), 30000);
        QCoreApplication::processEvents();
    }

private slots:
    void cleanup()
    {
        for (const Sheets::Sheet sheet :
            { Sheets::Sheet::Settings, Sheets::Sheet::Statistics, Sheets::Sheet::Journal })
            m_controller->sheets()->close(sheet);
        // Until the window manager gives the keys back, the next opening would find them still there.
        QTRY_COMPARE(QGuiApplication::focusWindow(), m_views.window);
    }

    void initTestCase()
    {
        QVERIFY(m_input.isUsable());
        m_controller = &m_harness.start();
        QVERIFY(m_views.load(*m_controller));
    }

    // window | setup | keys ("tab:name" Tabs until that control has the keys, "wait:window" waits for that
    // window) | the control holding the keys at the end, with its ring | what else must hold.
    void keys_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const char *row : { "Return on Cancel|settings|edit|tab:cancelButton Return||unchanged",
                 "Return on a pane row|settings||tab:paneRow_wheel Return|paneRow_wheel|wheel",
                 "Return in a field|settings|edit wheel|tab:titleField_0 Return||saved",
                 "picker|settings|wheel|tab:symbolButton_1 Return Escape|symbolButton_1|",
                 "deletion|settings|wheel|tab:deleteButton_0 Return|deleteButton_0|deleted",
                 "slider|settings|overlay|tab:overlaySlider Right Right Right Right Right|overlaySlider|70",
                 "statistics|statistics||tab:statisticsPeriod30 Return tab:statisticsScroll "
                 "End|statisticsScroll|end",
                 "record editor|notes||tab:journal-note-display Return tab:journalEditorDone "
                 "Return|journal-note-display|",
                 "calendar|notes||tab:journalDay Left|journalDay|day before",
                 "sheet closed|main||tab:statisticsCommand Return wait:statistics "
                 "Escape|statisticsCommand|" }) {
            const QStringList fields = QString::fromUtf8(row).split(u'|');
            QTest::newRow(qPrintable(fields[0])) << fields.mid(1);
        }
    }

    void keys()
    {
        QFETCH(QStringList, row);
        const QString &name = row[0], &setup = row[1], &keys = row[2], &outcome = row[4];
        QString focus = row[3];

        if (name != u"main")
            m_controller->sheets()->open(sheetNamed(name));
        QQuickWindow *shown = window(name);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        shown->requestActivate();
        QVERIFY(waitForFocus(shown));
        SettingsSession *session = settingsSession(shown);
        if (setup.contains(u"edit"))
            session->stepSessionMinutes(1);
        if (setup.contains(u"wheel") || setup == u"overlay") {
            session->setProperty("selectedPane", setup == u"overlay" ? u"appearance"_qs : u"wheel"_qs);
            QTRY_VERIFY(item(shown, u"titleField_0"_qs) || item(shown, u"overlaySlider"_qs));
        }
        if (setup == u"overlay")
            item(shown, u"overlaySlider"_qs)->setProperty("value", 0.65);
        const QByteArray before = preferences();
        const QString firstTitle
            = setup == u"wheel" ? item(shown, u"titleField_0"_qs)->property("text").toString() : QString();

        for (const QString &step : keys.split(u' ')) {
            if (step.startsWith(u"wait:")) {
                QVERIFY(waitForFocus(window(step.mid(5))));
                continue;
            }
            auto *current = qobject_cast<QQuickWindow *>(QGuiApplication::focusWindow());
            QVERIFY(current);
            for (int presses = 0; step.startsWith(u"tab:") && !focused(current).startsWith(step.mid(4));
                 ++presses) {
                QVERIFY2(presses < 60, qPrintable(focused(current)));
                tap(current, u"Tab"_qs);
            }
            if (!step.startsWith(u"tab:"))
                tap(current, step);
        }
        if (outcome == u"day before")
            focus += QString::number(m_harness.clock->now().date().addDays(-1).day());
        if (!focus.isEmpty()) {
            QTRY_VERIFY2(focused(shown).startsWith(focus), qPrintable(focused(shown)));
            QTRY_VERIFY(ringShows(shown->activeFocusItem()));
        }
        if (outcome == u"unchanged" || outcome == u"saved") {
            QTRY_VERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
            QCOMPARE(preferences() == before, outcome == u"unchanged");
            const QJsonObject stored = QJsonDocument::fromJson(preferences()).object();
            QCOMPARE(stored.value(u"sessionMinutes"_qs).toInt() != 25, outcome == u"saved");
        } else if (outcome == u"wheel") {
            QTRY_COMPARE(session->selectedPaneName(), outcome);
        } else if (outcome == u"deleted") {
            QTRY_VERIFY(item(shown, u"titleField_0"_qs)->property("text").toString() != firstTitle);
        } else if (outcome == u"70") {
            QTRY_COMPARE(item(shown, u"overlayPercent"_qs)->property("text").toString(), u"70%"_qs);
        } else if (outcome == u"end") {
            const auto *scroll
                = item(shown, u"statisticsScroll"_qs)->property("contentItem").value<QQuickItem *>();
            QTRY_VERIFY(scroll->property("atYEnd").toBool());
        }
    }
};

int main(int argc, char *argv[])
{
    return runOnOwnDisplay<UiKeyboardTest, ManagedDisplay>(argc, argv, u"1920x1080"_qs);
}

#include "tst_ui_keyboard.moc"
