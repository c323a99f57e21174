#include "SettingsSheetTest.h"
#include "TestProgram.h"
#include "ui/common/InterfaceFonts.h"

#include <QCoreApplication>
#include <QFont>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <algorithm>

// The appearance pane on a real X server: its controls write into the working copy only when the user
// moves them, and follow the working copy when it changes.
class UiSettingsAppearanceTest : public SettingsSheetTest
{
    Q_OBJECT

private:
    // Stores the record as a save would, then opens the sheet as the header does.
    void openOver(const AppPreferences &stored)
    {
        QVERIFY(m_controller->savePreferences(stored));
        openSettingsSheet(*m_controller, m_views);
        QTRY_VERIFY(inView(QStringLiteral("overlaySlider")));
        QCOMPARE(session().selectedPaneName(), QStringLiteral("appearance"));
    }

    // Scrolls the pane so that the item shows: the library above the cards is taller than the sheet.
    void reveal(QQuickItem *item)
    {
        QQuickItem *area = inView(QStringLiteral("paneArea"));
        auto *flickable = area ? area->property("contentItem").value<QQuickItem *>() : nullptr;
        QVERIFY(flickable);
        auto *content = flickable->property("contentItem").value<QQuickItem *>();
        const qreal top = item->mapToItem(content, QPointF(0, 0)).y();
        const qreal end = std::max(0.0, flickable->property("contentHeight").toReal() - flickable->height());
        flickable->setProperty("contentY", std::clamp(top - 40, 0.0, end));
    }

    void click(QQuickItem *item, qreal atFraction = 0.5)
    {
        QVERIFY(item);
        reveal(item);
        const QPointF point = item->mapToScene(QPointF(item->width() * atFraction, item->height() / 2));
        QTest::mouseClick(item->window(), Qt::LeftButton, {}, point.toPoint());
    }

    // Presses on the slider's track at one place and drags to another, as a hand would.
    void drag(QQuickItem *slider, qreal fromFraction, qreal toFraction)
    {
        QVERIFY(slider);
        reveal(slider);
        const auto at = [slider](qreal fraction) {
            return slider->mapToScene(QPointF(slider->width() * fraction, slider->height() / 2)).toPoint();
        };
        QTest::mousePress(sheet(), Qt::LeftButton, {}, at(fromFraction));
        QTest::mouseMove(sheet(), at((fromFraction + toFraction) / 2));
        QTest::mouseMove(sheet(), at(toFraction));
        QTest::mouseRelease(sheet(), Qt::LeftButton, {}, at(toFraction));
    }

    QObject *openAccentDialog()
    {
        click(inView(QStringLiteral("accentPicker")));
        auto *dialog = view()->findChild<QObject *>(QStringLiteral("paletteColorDialog"));
        return dialog && QTest::qWaitFor([dialog] { return dialog->property("visible").toBool(); }, 10000)
            ? dialog
            : nullptr;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvaneTests"));
        QCoreApplication::setApplicationName(QStringLiteral("UiSettingsAppearanceTest"));
        m_controller = &m_harness.start();
        QVERIFY(m_views.load(*m_controller));
    }

    void cleanup() { closeSheet(); }

    void strengthSlider_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<bool>("moved");

        QTest::newRow("0.9 from a hand-edited file, untouched") << 0.9 << false;
        QTest::newRow("0.1 from a hand-edited file, untouched") << 0.1 << false;
        QTest::newRow("0.37, untouched") << 0.37 << false;
        QTest::newRow("0.9 from a hand-edited file, moved") << 0.9 << true;
        QTest::newRow("0.37, moved") << 0.37 << true;
    }

    // The slider shows an out-of-range strength at its end, but only moving it writes.
    void strengthSlider()
    {
        QFETCH(double, stored);
        QFETCH(bool, moved);

        AppPreferences record;
        record.palette.overlayOpacity = stored;
        openOver(record);
        QQuickItem *slider = inView(QStringLiteral("overlaySlider"));
        QVERIFY(slider->isEnabled());
        if (moved) {
            drag(slider, 0.3, 0.6);
            QTRY_VERIFY(session().draft().palette.overlayOpacity != stored);
        }

        click(inView(QStringLiteral("saveButton")));

        QTRY_VERIFY(!m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
        const double saved = m_controller->preferences().palette.overlayOpacity;
        if (moved) {
            QVERIFY2(saved >= 0.2 && saved <= 0.82, qPrintable(QString::number(saved)));
            QVERIFY(saved != stored);
        } else {
            QCOMPARE(saved, stored);
        }
    }

    void overlayOffDisablesTheSlider()
    {
        openOver(AppPreferences());
        QQuickItem *slider = inView(QStringLiteral("overlaySlider"));
        QQuickItem *row = inView(QStringLiteral("overlayStrengthRow"));

        click(inView(QStringLiteral("overlaySwitch")));

        QTRY_VERIFY(!session().draft().backgroundOverlayEnabled);
        QVERIFY(!slider->isEnabled());
        QCOMPARE(row->opacity(), 0.45);
        QQuickItem *percent = inView(QStringLiteral("overlayPercent"));
        QCOMPARE(percent->property("text").toString(), QStringLiteral("37%"));
        QCOMPARE(percent->property("font").value<QFont>().family(), InterfaceFonts::timerFamily());
        drag(slider, 0.2, 0.8);
        QCOMPARE(session().draft().palette.overlayOpacity, 0.37);

        click(inView(QStringLiteral("overlaySwitch")));
        QTRY_VERIFY(session().draft().backgroundOverlayEnabled);
        QVERIFY(slider->isEnabled());
        QCOMPARE(row->opacity(), 1.0);
    }

    void automaticOffShowsThePickers()
    {
        openOver(AppPreferences());
        const QStringList pickers { QStringLiteral("wheelBasePicker"), QStringLiteral("accentPicker"),
            QStringLiteral("textPicker") };
        for (const QString &picker : pickers)
            QVERIFY(!inView(picker)->isVisible());

        click(inView(QStringLiteral("autoPaletteSwitch")));

        QTRY_VERIFY(!session().draft().autoPalette);
        for (const QString &picker : pickers)
            QTRY_VERIFY(inView(picker)->isVisible());
        QCOMPARE(session().draft().palette, AppPalette());

        click(inView(QStringLiteral("reanalyseButton")));
        QTRY_VERIFY(session().draft().autoPalette);
        for (const QString &picker : pickers)
            QTRY_VERIFY(!inView(picker)->isVisible());
    }

    void videoRow_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("video");

        QTest::newRow("a picture") << "/media/dusk.jpg" << false;
        QTest::newRow("a video") << "/media/loop.mp4" << true;
    }

    // The row follows the working copy, as when the library editor picks another background.
    void videoRow()
    {
        QFETCH(QString, path);
        QFETCH(bool, video);

        openOver(AppPreferences());
        QQuickItem *toggle = inView(QStringLiteral("videoAudioSwitch"));
        QVERIFY(!toggle->isEnabled());
        QVERIFY(!inView(QStringLiteral("videoBadge"))->isVisible());

        AppPreferences draft = session().draft();
        draft.backgroundPath = path;
        session().setDraft(draft);

        QTRY_COMPARE(toggle->isEnabled(), video);
        QCOMPARE(inView(QStringLiteral("videoBadge"))->isVisible(), video);
        QCOMPARE(inView(QStringLiteral("videoHintRow"))->opacity(), video ? 1.0 : 0.48);
        click(toggle);
        QTRY_COMPARE(session().draft().videoAudioTakesPriority, video);
    }

    // The colour dialog holds Return and Escape while it is open; only its accept writes, the colour alone.
    void colourDialog_data()
    {
        QTest::addColumn<bool>("accept");

        QTest::newRow("accepted") << true;
        QTest::newRow("rejected") << false;
    }

    void colourDialog()
    {
        QFETCH(bool, accept);

        AppPreferences record;
        record.autoPalette = false;
        openOver(record);
        QObject *dialog = openAccentDialog();
        QVERIFY(dialog);
        QVERIFY(view()->property("somethingOpen").toBool());
        QCOMPARE(dialog->property("currentColor").value<QColor>().rgba(), QColor(0xEB, 0xCB, 0x83).rgba());

        dialog->setProperty("currentColor", QColor(0x20, 0x80, 0xC0, 100));
        QVERIFY(QMetaObject::invokeMethod(dialog, accept ? "accept" : "reject"));

        QTRY_VERIFY(!view()->property("somethingOpen").toBool());
        AppPalette expected = record.palette;
        if (accept)
            expected.accentHex = QStringLiteral("#2080C0");
        QCOMPARE(session().draft().palette, expected);
        QVERIFY(!session().draft().autoPalette);
        QVERIFY(m_controller->sheets()->isOpen(Sheets::Sheet::Settings));
    }

    // The window's close button still closes the sheet while the dialog is open.
    void sheetClosedWithTheDialogOpenOpensItAgain()
    {
        AppPreferences record;
        record.autoPalette = false;
        openOver(record);
        QVERIFY(openAccentDialog());
        QVERIFY(sheet()->close());
        QTRY_VERIFY(!sheet()->isVisible());

        openOver(record);
        QObject *dialog = openAccentDialog();
        QVERIFY(dialog);
        QVERIFY(QMetaObject::invokeMethod(dialog, "reject"));
        QTRY_VERIFY(!view()->property("somethingOpen").toBool());
    }
};

QUORVANE_TEST_MAIN(UiSettingsAppearanceTest)
#include "tst_ui_settings_appearance.moc"
