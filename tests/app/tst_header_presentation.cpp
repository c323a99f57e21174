#include "TestProgram.h"
#include "app/HeaderPresentation.h"
#include "core/SymbolGlyphs.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

// What the header bar shows for the controller's state, in both languages.
class HeaderPresentationTest : public QObject
{
    Q_OBJECT

    using State = HeaderPresentation::State;

    static void languages()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::newRow("chinese") << AppLanguage::chinese;
        QTest::newRow("english") << AppLanguage::english;
    }

private slots:
    // Every text is there and in its language, every symbol is one the font draws, and only the switches
    // carry a state to read aloud, whatever the state.
    void everyPartReadsInItsLanguage_data()
    {
        QTest::addColumn<State>("state");

        State on;
        on.isActivityTrackingOn = on.keepWindowOnTop = on.backgroundOverlayEnabled = on.keyboardIsLocked
            = true;
        State permission;
        permission.trackingState = WorkTrackingState::permissionRequired;
        State wayland = permission;
        wayland.windowSystem = WindowSystem::wayland;
        State noInput;
        noInput.inputAccessMissing = true;
        for (const AppLanguage language : { AppLanguage::chinese, AppLanguage::english }) {
            const QList<std::pair<const char *, State>> states { { "all off", {} }, { "all on", on },
                { "permission", permission }, { "Wayland, no source", wayland }, { "no input", noInput } };
            for (auto [name, state] : states) {
                state.language = language;
                QTest::addRow("%s, %s", name, language == AppLanguage::chinese ? "zh" : "en") << state;
            }
        }
    }

    void everyPartReadsInItsLanguage()
    {
        QFETCH(State, state);

        const QRegularExpression han(QStringLiteral("\\p{Han}"));
        const auto check = [&](const QString &symbol, const QStringList &texts) {
            QVERIFY2(SymbolGlyphs::codePoint(symbol), qPrintable(symbol));
            for (const QString &text : texts)
                QVERIFY2(text.contains(han) == (state.language == AppLanguage::chinese), qPrintable(text));
        };
        const HeaderPresentation header = HeaderPresentation::make(state);
        for (const HeaderStatusRow &row : { header.round, header.health, header.completed })
            check(row.symbol, { row.value, row.accessibilityLabel, row.tooltipTitle, row.tooltipDetail });
        for (const HeaderButton &button : { header.tracking, header.windowOnTop, header.overlay })
            check(button.symbol, { button.title, button.detail, button.accessibilityValue });
        for (const HeaderButton &button :
            { header.journal, header.statistics, header.settings, header.developerCorner }) {
            check(button.symbol, { button.title, button.detail });
            QVERIFY(button.accessibilityValue.isEmpty() && !button.isOn);
        }
    }

    // Each row shows its own number, in plain decimal digits; the titles name what is counted.
    void statusRowsShowTheirNumbers_data() { languages(); }

    void statusRowsShowTheirNumbers()
    {
        QFETCH(AppLanguage, language);

        for (const qint64 round : { 12345, 0 }) {
            const State state { .language = language,
                .sessionNumber = round,
                .todayHealthScore = round * 7,
                .todayCompletedSessions = round * 3 };
            const HeaderPresentation header = HeaderPresentation::make(state);
            const QList<std::pair<HeaderStatusRow, qint64>> rows { { header.round, round },
                { header.health, round * 7 }, { header.completed, round * 3 } };
            for (const auto &[row, number] : rows) {
                for (const QString &text : { row.value, row.accessibilityLabel })
                    QVERIFY2(text.contains(QString::number(number)), qPrintable(text));
                QVERIFY2(!row.tooltipTitle.contains(QRegularExpression(QStringLiteral("\\d"))),
                    qPrintable(row.tooltipTitle));
            }
            QVERIFY(header.round.tooltipDetail.contains(QString::number(round)));
        }
    }

    // A switch shows its setting: its state read aloud, and a detail that begins with that state; its symbol,
    // state and detail change with it, its title does not.
    void switchesFollowTheirSettings_data() { languages(); }

    void switchesFollowTheirSettings()
    {
        QFETCH(AppLanguage, language);

        const QList<std::tuple<bool State::*, HeaderButton HeaderPresentation::*, QString, QString>>
            switches { { &State::isActivityTrackingOn, &HeaderPresentation::tracking,
                           u"keyboard.badge.ellipsis"_qs, u"keyboard"_qs },
                { &State::keepWindowOnTop, &HeaderPresentation::windowOnTop, u"pin.fill"_qs,
                    u"pin.slash"_qs },
                { &State::backgroundOverlayEnabled, &HeaderPresentation::overlay,
                    u"circle.lefthalf.filled"_qs, u"sun.max.fill"_qs } };
        for (const auto &[setting, part, onSymbol, offSymbol] : switches) {
            State state { .language = language };
            state.*setting = true;
            const HeaderButton on = HeaderPresentation::make(state).*part;
            state.*setting = false;
            const HeaderButton off = HeaderPresentation::make(state).*part;
            QVERIFY(on.isOn && !off.isOn);
            QCOMPARE(on.symbol, onSymbol);
            QCOMPARE(off.symbol, offSymbol);
            QCOMPARE(on.title, off.title);
            QVERIFY(on.accessibilityValue != off.accessibilityValue);
            for (const HeaderButton &button : { on, off })
                QVERIFY2(button.detail.startsWith(button.accessibilityValue + u" · "_qs),
                    qPrintable(button.detail));
        }
    }

    // The tracking switch tells why time counts as it does: five reasons, each its own detail, the missing
    // permission before the setting. The window-level switch tells that Wayland has no such level.
    void detailsTellTheReason_data() { languages(); }

    void detailsTellTheReason()
    {
        QFETCH(AppLanguage, language);

        using enum WorkTrackingState;
        const auto detail = [language](WorkTrackingState state, bool on, WindowSystem system, bool noInput) {
            return HeaderPresentation::make({ .language = language,
                                                .isActivityTrackingOn = on,
                                                .trackingState = state,
                                                .inputAccessMissing = noInput,
                                                .windowSystem = system })
                .tracking.detail;
        };
        const WindowSystem x11 = WindowSystem::x11;
        const WindowSystem wayland = WindowSystem::wayland;
        const QString counting = detail(tracking, true, x11, false);
        for (const WorkTrackingState state : { waitingForActivity, idlePaused, manuallyPaused })
            QCOMPARE(detail(state, true, x11, false), counting);
        QCOMPARE(detail(permissionRequired, true, x11, false), detail(permissionRequired, false, x11, false));
        QCOMPARE(detail(permissionRequired, true, wayland, false),
            detail(permissionRequired, false, wayland, false));
        const QSet<QString> reasons { counting, detail(tracking, false, x11, false),
            detail(tracking, false, x11, true), detail(permissionRequired, false, x11, false),
            detail(permissionRequired, false, wayland, false) };
        QCOMPARE(reasons.size(), 5);
        QVERIFY(detail(permissionRequired, false, x11, false).contains(u"X11"));

        for (const bool onTop : { false, true }) {
            const State state { .language = language, .keepWindowOnTop = onTop, .windowSystem = wayland };
            QVERIFY(HeaderPresentation::make(state).windowOnTop.detail.contains(u"Wayland"));
        }
    }

    // Each command opens its own sheet, and each part has its own symbol.
    void commandsAreDistinct()
    {
        const HeaderPresentation header = HeaderPresentation::make({});
        QCOMPARE(QSet<QString>({ header.journal.symbol, header.statistics.symbol, header.settings.symbol,
                                   header.developerCorner.symbol, header.round.symbol, header.health.symbol,
                                   header.completed.symbol, header.journal.title, header.statistics.title,
                                   header.settings.title, header.developerCorner.title })
                     .size(),
            11);
    }

    // The commands and the developer corner rest during a locked break; nothing else changes with the lock.
    void aLockedBreakRestsTheCommands()
    {
        State locked;
        locked.keyboardIsLocked = true;
        HeaderPresentation header = HeaderPresentation::make(locked);
        QVERIFY(!header.commandsEnabled);
        header.commandsEnabled = true;
        QCOMPARE(header, HeaderPresentation::make({}));
    }
};

QUORVANE_TEST_MAIN(HeaderPresentationTest)
#include "tst_header_presentation.moc"
