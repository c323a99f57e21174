#include "SettingsSheetTest.h"
#include "TestProgram.h"
#include "core/Uuid.h"
#include "ui/settings/PlaylistModel.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Where a row is pressed to drag it: its handle, clear of the name field.
QPoint handleOf(const QQuickItem *row)
{
    return row->mapToScene(QPointF(20, row->height() / 2)).toPoint();
}

QString namesOf(const QList<AudioTrack> &tracks)
{
    QString names;
    for (const AudioTrack &track : tracks)
        names += track.name;
    return names;
}

} // namespace

// The music pane in the open settings sheet on a real X server: files dropped as a file manager sends
// them, row drags within and across the two editors, and a switched-off list that stays editable.
class UiSettingsMusicTest : public SettingsSheetTest
{
    Q_OBJECT

private:
    QTemporaryDir m_userFiles;

    QQuickItem *editor(const QString &kind) const { return inView(kind + u"PlaylistEditor"_s); }
    QQuickItem *inEditor(const QString &kind, const QString &name) const
    {
        QQuickItem *card = editor(kind);
        return card ? findItem(card, name) : nullptr;
    }
    QQuickItem *row(const QString &kind, const AudioTrack &track) const
    {
        return inEditor(kind, u"trackRow_"_s + Uuid::upperText(track.id));
    }

    void openSheetOnMusic()
    {
        openSettingsSheet(*m_controller, m_views);
        chooseSettingsPane(m_views, u"audio"_s);
        QTRY_VERIFY(editor(u"focus"_s) && editor(u"reminder"_s));
    }

    void click(QQuickItem *item)
    {
        QVERIFY(item);
        QVERIFY(item->isVisible());
        QTest::mouseClick(item->window(), Qt::LeftButton, {}, centreOf(item));
    }

    // Tracks named by the letters, each with a file in the data folder.
    QList<AudioTrack> tracks(const QString &letters)
    {
        QList<AudioTrack> made;
        for (const QChar letter : letters) {
            const QString path = m_harness.file(
                u"Media/Music/%1/%2.mp3"_s.arg(Uuid::lowerText(QUuid::createUuid()), QString(letter)));
            [&] { QVERIFY(writeFileBytes(path, "mp3")); }();
            made.append({ QUuid::createUuid(), QString(letter), path });
        }
        return made;
    }

    // The row is in its place in the list: the list's rows slide when they move.
    bool settledAt(const QString &kind, const AudioTrack &track, qsizetype index) const
    {
        QQuickItem *shown = row(kind, track);
        return shown && shown->isVisible() && shown->y() == index * (42 + 7);
    }

    // Puts the tracks into the working copy and waits until each row is laid out in its place.
    void show(const QList<AudioTrack> &focus, const QList<AudioTrack> &reminder)
    {
        AppPreferences draft = session().draft();
        draft.focusPlaylist.tracks = focus;
        draft.reminderPlaylist.tracks = reminder;
        session().setDraft(draft);
        for (const auto &[kind, list] :
            { std::pair(u"focus"_s, focus), std::pair(u"reminder"_s, reminder) }) {
            for (qsizetype index = 0; index < list.size(); ++index)
                QTRY_VERIFY(settledAt(kind, list[index], index));
        }
    }

    // Sends a file manager's drag of `mime` over `at`, then its drop; Shift makes it propose a move.
    // Reports whether the outline showed and returns the action the drop was accepted with.
    Qt::DropAction dropAt(QPoint at, const QMimeData &mime, const QString &kind, bool *outlineShown,
        Qt::KeyboardModifiers modifiers)
    {
        return dropOnto(
            sheet(), at, mime, [&] { *outlineShown = inEditor(kind, u"trackDropOutline"_s)->isVisible(); },
            modifiers);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_userFiles.isValid());
        m_controller = &m_harness.startWithStored(AppPreferences());
        QVERIFY(m_views.load(*m_controller));
    }

    void cleanup() { closeSheet(); }

    void fileDroppedOnARowIsImported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("names");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<bool>("shift");
        QTest::newRow("music on a focus row") << u"focus"_s << u"rain.mp3"_s << u"ABrain"_s << false << false;
        QTest::newRow("music on a break row")
            << u"reminder"_s << u"bell.wav"_s << u"CDbell"_s << false << false;
        QTest::newRow("a picture on a focus row") << u"focus"_s << u"photo.png"_s << u"AB"_s << true << false;
        // The file is copied all the same, so the source must not take the drop for a move.
        QTest::newRow("a move proposed") << u"focus"_s << u"rain.mp3"_s << u"ABrain"_s << false << true;
    }

    void fileDroppedOnARowIsImported()
    {
        QFETCH(QString, kind);
        QFETCH(QString, fileName);
        QFETCH(QString, names);
        QFETCH(bool, alert);
        QFETCH(bool, shift);
        openSheetOnMusic();
        const QList<AudioTrack> focus = tracks(u"AB"_s);
        const QList<AudioTrack> reminder = tracks(u"CD"_s);
        show(focus, reminder);
        const QString file = m_userFiles.filePath(fileName);
        QVERIFY(writeFileBytes(file, "sound"));
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile(file) });
        QQuickItem *target = row(kind, kind == u"focus"_s ? focus[0] : reminder[0]);
        bool outlineShown = false;

        // The picture is refused by the controller after the drop, which the area takes in any case.
        QCOMPARE(
            dropAt(centreOf(target), mime, kind, &outlineShown, shift ? Qt::ShiftModifier : Qt::NoModifier),
            Qt::CopyAction);

        QVERIFY(outlineShown);
        const auto listed = [&] {
            const AppPreferences &draft = session().draft();
            return namesOf(kind == u"focus"_s ? draft.focusPlaylist.tracks : draft.reminderPlaylist.tracks);
        };
        QTRY_COMPARE(listed(), names);
        QTRY_VERIFY(!inEditor(kind, u"trackDropOutline"_s)->isVisible());
        QTRY_COMPARE(m_controller->sheets()->showingAlert(), alert);
        if (alert) {
            // The alert shows in the sheet, above it.
            QCOMPARE(m_controller->sheets()->alertHost(), Sheets::Sheet::Settings);
            QObject *shown = sheet()->findChild<QObject *>(u"settingsAlert"_s);
            QVERIFY(shown);
            QTRY_VERIFY(shown->property("opened").toBool());
            QCOMPARE(shown->property("heading").toString(), u"没有可导入的音乐"_s);
        }
    }

    void rowDrags_data()
    {
        QTest::addColumn<QString>("onto");
        QTest::addColumn<QString>("focusOrder");
        QTest::addColumn<QString>("reminderOrder");
        QTest::newRow("within the focus list") << u"focus"_s << u"BA"_s << u"CD"_s;
        QTest::newRow("onto the break list") << u"reminder"_s << u"AB"_s << u"CD"_s;
        QTest::newRow("below the focus list") << u"below"_s << u"AB"_s << u"CD"_s;
    }

    void rowDrags()
    {
        QFETCH(QString, onto);
        QFETCH(QString, focusOrder);
        QFETCH(QString, reminderOrder);
        openSheetOnMusic();
        const QList<AudioTrack> focus = tracks(u"AB"_s);
        const QList<AudioTrack> reminder = tracks(u"CD"_s);
        show(focus, reminder);
        QQuickItem *focusCard = editor(u"focus"_s);
        const qreal focusHeight = focusCard->height();
        const qreal reminderY = editor(u"reminder"_s)->y();
        // Inside the focus card, below its list: the dragged row's proxy reaches past the card's edge.
        const QPoint belowList
            = focusCard->mapToScene(QPointF(focusCard->width() / 2, focusCard->height() - 6)).toPoint();
        const QPoint end = onto == u"below"_s ? belowList
            : onto == u"focus"_s              ? centreOf(row(u"focus"_s, focus[0]))
                                              : centreOf(row(u"reminder"_s, reminder[0]));

        // The last focus row is dragged, so that the way down to the break list crosses no other focus row.
        QPoint at = handleOf(row(u"focus"_s, focus[1]));
        QTest::mousePress(sheet(), Qt::LeftButton, {}, at);
        movePointer(sheet(), at, at + QPoint(30, 8));
        QCOMPARE(session().focusPlaylist()->draggedIdText(), Uuid::upperText(focus[1].id));
        movePointer(sheet(), at, end);
        QTest::mouseRelease(sheet(), Qt::LeftButton, {}, at);

        QTRY_COMPARE(namesOf(session().draft().focusPlaylist.tracks), focusOrder);
        QCOMPARE(namesOf(session().draft().reminderPlaylist.tracks), reminderOrder);
        QVERIFY(session().reminderPlaylist()->draggedIdText().isEmpty());
        // Wherever the row was left, the cards keep their size and places.
        QCOMPARE(focusCard->height(), focusHeight);
        QCOMPARE(editor(u"reminder"_s)->y(), reminderY);
    }

    void aSwitchedOffListIsDimmedButWorks()
    {
        openSheetOnMusic();
        show({}, {});
        QQuickItem *card = editor(u"focus"_s);
        QVERIFY(!session().draft().focusPlaylist.isEnabled);
        QCOMPARE(card->opacity(), 0.72);
        QCOMPARE(editor(u"reminder"_s)->opacity(), 1.0);
        QVERIFY(inEditor(u"focus"_s, u"emptyState"_s)->isVisible());
        QCOMPARE(inEditor(u"focus"_s, u"emptyState"_s)->height(), 96.0);
        QVERIFY(!inEditor(u"focus"_s, u"mode_shuffle"_s)->isEnabled());

        m_harness.picker->selection
            = { m_userFiles.filePath(u"one.mp3"_s), m_userFiles.filePath(u"two.mp3"_s) };
        for (const QString &path : std::as_const(m_harness.picker->selection))
            QVERIFY(writeFileBytes(path, "mp3"));
        click(inEditor(u"focus"_s, u"addMusicButton"_s));
        QTRY_COMPARE(namesOf(session().draft().focusPlaylist.tracks), u"onetwo"_s);
        QTRY_VERIFY(inEditor(u"focus"_s, u"mode_shuffle"_s)->isEnabled());
        QVERIFY(!inEditor(u"focus"_s, u"emptyState"_s)->isVisible());

        click(inEditor(u"focus"_s, u"mode_shuffle"_s));
        QTRY_COMPARE(session().draft().focusPlaylist.playbackMode, AudioPlaybackMode::shuffle);
        const AudioTrack first = session().draft().focusPlaylist.tracks[0];
        QTRY_VERIFY(settledAt(u"focus"_s, first, 0));
        const AudioTrack second = session().draft().focusPlaylist.tracks[1];
        QTRY_VERIFY(settledAt(u"focus"_s, second, 1));
        // A removal closes the gap at once: the next row never passes through places between rows.
        QList<qreal> places;
        QObject watch;
        QQuickItem *secondRow = row(u"focus"_s, second);
        connect(secondRow, &QQuickItem::yChanged, &watch, [&] { places.append(secondRow->y()); });
        click(findItem(row(u"focus"_s, first), u"removeTrackButton"_s));
        QTRY_COMPARE(namesOf(session().draft().focusPlaylist.tracks), u"two"_s);
        QTRY_VERIFY(settledAt(u"focus"_s, second, 0));
        QCOMPARE(places, QList<qreal> { 0.0 });
        QVERIFY(QFile::exists(first.path));
        QCOMPARE(card->opacity(), 0.72);

        click(inEditor(u"focus"_s, u"playlistSwitch"_s));
        QTRY_VERIFY(session().draft().focusPlaylist.isEnabled);
        QCOMPARE(card->opacity(), 1.0);
        QVERIFY(!m_controller->preferences().focusPlaylist.isEnabled);
    }

    void typedNamesReachTheDraftAsTyped()
    {
        openSheetOnMusic();
        const QList<AudioTrack> focus = tracks(u"AB"_s);
        show(focus, {});
        QQuickItem *field = findItem(row(u"focus"_s, focus[1]), u"trackName"_s);
        QVERIFY(field);
        click(field);
        QTRY_VERIFY(field->hasActiveFocus());

        QTest::keyClick(sheet(), Qt::Key_End);
        QTest::keyClick(sheet(), Qt::Key_Backspace);
        QTRY_COMPARE(session().draft().focusPlaylist.tracks[1].name, QString());
        QCOMPARE(field->property("text").toString(), QString());
        QTest::keyClick(sheet(), Qt::Key_Space);
        QTest::keyClick(sheet(), Qt::Key_X);

        QTRY_COMPARE(session().draft().focusPlaylist.tracks[1].name, u" x"_s);
        QCOMPARE(field->property("text").toString(), u" x"_s);
        QCOMPARE(session().draft().focusPlaylist.tracks[0].name, u"A"_s);
    }
};

QUORVANE_TEST_MAIN(UiSettingsMusicTest)
#include "tst_ui_settings_music.moc"
