#include "ui/journal/JournalController.h"

#include "app/AppController.h"
#include "core/CsvDate.h"
#include "core/StringTable.h"
#include "storage/NotesTimelineRepository.h"
#include "ui/journal/JournalCalendar.h"
#include "ui/journal/NotesDateFormatters.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QVariantMap>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// A whole log's entries take milliseconds to free; that is done on a worker thread, not between two
// frames of the window.
template<typename T> void releaseAway(T &&value)
{
    if (value.entries.isEmpty())
        return;
    (void)QtConcurrent::run([released = std::forward<T>(value)] {});
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

} // namespace

JournalController::JournalController(QObject *parent)
    : QObject(parent)
{ }

JournalController::~JournalController()
{
    if (m_controller)
        commitEditing();
    releaseAway(std::move(m_logged));
}

void JournalController::setController(AppController *controller)
{
    if (m_controller == controller)
        return;
    if (m_controller) {
        disconnect(m_controller, nullptr, this, nullptr);
        disconnect(m_controller->journal(), nullptr, this, nullptr);
    }
    m_controller = controller;
    emit controllerChanged();
    if (!controller)
        return;
    connect(controller->journal(), &Journal::notesRevisionChanged, this, [this] {
        if (m_controller->journal()->notesRevision() != m_loadedNotesRevision)
            refreshJournalSnapshot(m_controller->journal()->notesRevision());
    });
    connect(controller, &AppController::preferencesChanged, this, &JournalController::refreshDay);
    // Quitting with a record open saves it, as the controller saves the round's notes.
    connect(controller, &AppController::aboutToShutDown, this, &JournalController::commitEditing);
    const QDate today = this->today();
    m_selectedDate = today;
    m_visibleMonth = QDate(today.year(), today.month(), 1);
    emit selectedDateChanged();
    emit visibleMonthChanged();
    refreshJournalSnapshot(controller->journal()->notesRevision());
    refreshDay();
}

AppLanguage JournalController::language() const
{
    return m_controller ? m_controller->language() : AppLanguage::chinese;
}

void JournalController::setFirstWeekday(std::optional<int> weekday)
{
    m_firstWeekday = weekday;
    emit monthChanged();
}

int JournalController::firstWeekday() const
{
    if (m_firstWeekday)
        return *m_firstWeekday;
    const AppLanguage language = this->language();
    return JournalCalendar::weekdayNumber(locale(language).firstDayOfWeek());
}

QDate JournalController::today() const
{
    return m_controller ? m_controller->now().toLocalTime().date() : QDate();
}

// The snapshot

QList<NotesTimelineEntry> JournalController::journalEntries() const
{
    QList<NotesTimelineEntry> entries = m_logged.entries;
    if (m_live)
        NotesTimelineRepository::insertAfterEqualStarts(entries, *m_live);
    return entries;
}

QSet<QDate> JournalController::journalDays() const
{
    QSet<QDate> days = m_logged.days;
    if (m_live)
        days.insert(CsvDate::localDay(m_live->endTimestamp));
    return days;
}

void JournalController::refreshJournalSnapshot(qint64 revision)
{
    if (!m_controller)
        return;
    m_loadedNotesRevision = revision;
    // A read of this revision is already on its way.
    if (m_pendingRead != 0 && m_pendingRevision == revision)
        return;
    const quint64 read = ++m_lastRead;
    m_pendingRead = read;
    m_pendingRevision = revision;
    // The running round ends at the moment of the request, not when the read comes back.
    std::optional<NotesTimelineEntry> live = m_controller->journal()->liveNotesEntry(m_controller->now());
    const quint64 generation = m_loggedGeneration;
    QFuture<JournalSnapshot> future = m_controller->journal()->readLoggedNotesEntries().then(
        [previous = m_logged.entries](QList<NotesTimelineEntry> entries) {
            return JournalSnapshot::build(std::move(entries), previous);
        });
    auto *watcher = new QFutureWatcher<JournalSnapshot>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, read, live, generation] {
        watcher->deleteLater();
        JournalSnapshot snapshot = watcher->future().takeResult();
        // Only the newest read counts; an older one may have seen the logs before a change.
        if (read != m_pendingRead) {
            releaseAway(std::move(snapshot));
            return;
        }
        m_pendingRead = 0;
        applySnapshot(std::move(snapshot), live, generation);
    });
    watcher->setFuture(future);
}

void JournalController::applySnapshot(
    JournalSnapshot snapshot, std::optional<NotesTimelineEntry> live, quint64 generation)
{
    if (snapshot.unchanged && generation != m_loggedGeneration) {
        // Compared with entries that are no longer shown; read again.
        refreshJournalSnapshot(m_loadedNotesRevision);
        return;
    }
    bool changed = false;
    if (!snapshot.unchanged) {
        releaseAway(std::exchange(m_logged, std::move(snapshot)));
        ++m_loggedGeneration;
        changed = true;
    }
    if (live != m_live) {
        m_live = std::move(live);
        changed = true;
    }
    const bool first = !m_snapshotLoaded;
    m_snapshotLoaded = true;
    const bool hadSavedEntries = !m_savedEntries.isEmpty();
    m_savedEntries.clear();
    if (changed || first)
        emit snapshotChanged();
    if (changed || first || hadSavedEntries)
        refreshDay();
}

// The day and the month

void JournalController::refreshDay()
{
    QList<NotesTimelineEntry> entries = m_logged.entriesOf(m_selectedDate);
    for (NotesTimelineEntry &entry : entries) {
        if (const auto saved = m_savedEntries.constFind(entry.id); saved != m_savedEntries.cend())
            entry = *saved;
    }
    if (m_live && CsvDate::localDay(m_live->endTimestamp) == m_selectedDate)
        NotesTimelineRepository::insertAfterEqualStarts(entries, m_savedEntries.value(m_live->id, *m_live));
    m_dayEntries = std::move(entries);
    refreshRows();
    emit dayChanged();
    emit monthChanged();
}

void JournalController::refreshRows()
{
    m_dayModel.setRows(rowsOf(m_dayEntries));
}

QList<JournalDayRow> JournalController::rowsOf(const QList<NotesTimelineEntry> &entries) const
{
    const AppLanguage language = this->language();
    QList<JournalDayRow> rows;
    rows.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const NotesTimelineEntry &entry = entries[i];
        const bool isBreak = !entry.kind.isFocus();
        const bool isEditing = m_editingEntry && m_editingEntry->id == entry.id;
        const bool hasNotes = !isBlank(entry.notes);
        rows.append(JournalDayRow {
            entry.id,
            isBreak,
            isBreak ? QStringLiteral("figure.walk") : QStringLiteral("timer"),
            timelineTitle(entry),
            timelineSubtitle(entry),
            timelineBadge(entry),
            isBreak ? QStringLiteral("health")
                    : (entry.kind.completed ? QStringLiteral("done") : QStringLiteral("open")),
            NotesDateFormatters::time(entry.startTimestamp, language) + QStringLiteral("\n\u2014\n")
                + NotesDateFormatters::time(entry.endTimestamp, language),
            timelineAccessibleName(entry),
            hasNotes
                ? entry.notes
                : localized(language, QStringLiteral("点击添加笔记"), QStringLiteral("Click to add a note")),
            hasNotes,
            i == 0,
            i == entries.size() - 1,
            isEditing,
            isEditing ? (isBreak ? 310 : 250) : 112,
        });
    }
    return rows;
}

QString JournalController::dayTitle() const
{
    if (!m_controller)
        return {};
    return NotesDateFormatters::day(m_selectedDate, m_controller->language());
}

QString JournalController::countLine() const
{
    if (!m_controller)
        return {};
    const AppLanguage language = m_controller->language();
    if (m_dayEntries.isEmpty())
        return localized(
            language, QStringLiteral("这一天还没有记录"), QStringLiteral("No entries for this day"));
    return StringTable::counted(QStringLiteral("共 %n 段节律记录"), m_dayEntries.size(), language);
}

QString JournalController::unreadableRowsNote() const
{
    if (!m_controller)
        return {};
    const Statistics::UnreadableLogRows rows = m_controller->statistics()->unreadableLogRows();
    const AppLanguage language = m_controller->language();
    const auto note = [language](qsizetype count, const QString &path) {
        return StringTable::counted(
            QStringLiteral("%1 中有 %n 条记录无法读取，已原样保留在数据文件夹中。"), count, language)
            .arg(QFileInfo(path).fileName());
    };
    QStringList notes;
    if (rows.focus > 0)
        notes.append(note(rows.focus, m_controller->window()->focusLogPath()));
    if (rows.activity > 0)
        notes.append(note(rows.activity, m_controller->window()->activityLogPath()));
    return notes.join(u'\n');
}

bool JournalController::selectedDayIsToday() const
{
    return m_controller && m_selectedDate == today();
}

int JournalController::focusCount() const
{
    return int(std::count_if(m_dayEntries.cbegin(), m_dayEntries.cend(),
        [](const NotesTimelineEntry &entry) { return entry.kind.isFocus(); }));
}

int JournalController::breakCount() const
{
    return int(m_dayEntries.size()) - focusCount();
}

int JournalController::noteCount() const
{
    return int(std::count_if(m_dayEntries.cbegin(), m_dayEntries.cend(),
        [](const NotesTimelineEntry &entry) { return !isBlank(entry.notes); }));
}

QVariantList JournalController::dayFigures() const
{
    const AppLanguage language = this->language();
    const auto figure = [language](int value, const char *label, const char *symbol) {
        const QString labelText = StringTable::text(QString::fromUtf8(label), language);
        return QVariantMap {
            { QStringLiteral("value"), value },
            { QStringLiteral("label"), labelText },
            { QStringLiteral("symbol"), QString::fromLatin1(symbol) },
            // The figure and its label are two texts on the screen, one to a screen reader.
            { QStringLiteral("accessibleName"),
                StringTable::text(QStringLiteral("%1：%2"), language).arg(labelText).arg(value) },
        };
    };
    return { figure(focusCount(), "专注", "timer"), figure(breakCount(), "休整", "figure.walk"),
        figure(noteCount(), "笔记", "text.quote") };
}

QString JournalController::monthTitle() const
{
    if (!m_controller)
        return {};
    return NotesDateFormatters::month(m_visibleMonth, m_controller->language());
}

QStringList JournalController::weekdayLabels() const
{
    const AppLanguage language = this->language();
    return JournalCalendar::weekdayLabels(locale(language), firstWeekday());
}

QVariantList JournalController::monthCells() const
{
    const QSet<QDate> days = journalDays();
    const QDate today = this->today();
    const AppLanguage language = this->language();
    const QDate tabStop = selectionInView();
    QVariantList cells;
    for (const std::optional<QDate> &day : JournalCalendar::monthCells(m_visibleMonth, firstWeekday())) {
        if (!day) {
            cells.append(QVariantMap { { QStringLiteral("isEmpty"), true } });
            continue;
        }
        cells.append(QVariantMap {
            { QStringLiteral("isEmpty"), false },
            { QStringLiteral("dayOfMonth"), day->day() },
            { QStringLiteral("dayText"), QString::number(day->day()) },
            { QStringLiteral("isSelected"), *day == m_selectedDate },
            { QStringLiteral("isTabStop"), *day == tabStop },
            { QStringLiteral("isToday"), *day == today },
            { QStringLiteral("hasEntries"), days.contains(*day) },
            { QStringLiteral("dayTitle"), NotesDateFormatters::day(*day, language) },
            { QStringLiteral("entriesText"),
                days.contains(*day)
                    ? localized(language, QStringLiteral("有记录"), QStringLiteral("Has entries"))
                    : QString() },
        });
    }
    return cells;
}

void JournalController::showAdjacentMonth(int offset)
{
    const QDate month = JournalCalendar::addMonths(m_visibleMonth, offset);
    if (!month.isValid() || month == m_visibleMonth)
        return;
    m_visibleMonth = month;
    emit visibleMonthChanged();
    emit monthChanged();
}

void JournalController::selectDay(QDate day)
{
    commitEditing();
    if (!day.isValid() || day == m_selectedDate)
        return;
    m_selectedDate = day;
    emit selectedDateChanged();
    refreshDay();
}

void JournalController::selectDayOfVisibleMonth(int dayOfMonth)
{
    selectDay(QDate(m_visibleMonth.year(), m_visibleMonth.month(), dayOfMonth));
}

QDate JournalController::selectionInView() const
{
    const QDate first(m_visibleMonth.year(), m_visibleMonth.month(), 1);
    const bool shown = m_selectedDate.year() == first.year() && m_selectedDate.month() == first.month();
    return shown ? m_selectedDate : first;
}

bool JournalController::moveSelection(int key)
{
    const QDate from = selectionInView();
    QDate to;
    switch (key) {
    case Qt::Key_Left:
        to = from.addDays(-1);
        break;
    case Qt::Key_Right:
        to = from.addDays(1);
        break;
    case Qt::Key_Up:
        to = from.addDays(-7);
        break;
    case Qt::Key_Down:
        to = from.addDays(7);
        break;
    case Qt::Key_PageUp:
        to = from.addMonths(-1);
        break;
    case Qt::Key_PageDown:
        to = from.addMonths(1);
        break;
    case Qt::Key_Home:
        to = from.addDays(1 - from.day());
        break;
    case Qt::Key_End:
        to = from.addDays(from.daysInMonth() - from.day());
        break;
    default:
        return false;
    }
    const QDate month(to.year(), to.month(), 1);
    const bool monthMoved = month != m_visibleMonth;
    m_visibleMonth = month;
    selectDay(to);
    if (monthMoved) {
        emit visibleMonthChanged();
        emit monthChanged();
    }
    return true;
}

// Texts of an entry

QString JournalController::defaultTimelineTitle(const NotesTimelineEntry &entry) const
{
    if (!m_controller)
        return {};
    return entry.kind.isFocus() ? m_controller->round()->defaultFocusTitle(entry.sessionNumber)
                                : m_controller->round()->defaultBreakTitle(entry.sessionNumber);
}

QString JournalController::timelineTitle(const NotesTimelineEntry &entry) const
{
    const QString title = entry.title.trimmed();
    return title.isEmpty() ? defaultTimelineTitle(entry) : title;
}

QString JournalController::timelineSubtitle(const NotesTimelineEntry &entry) const
{
    const AppLanguage language = this->language();
    if (entry.kind.isFocus()) {
        return entry.kind.completed
            ? localized(language, QStringLiteral("完成的专注时段"), QStringLiteral("Completed focus session"))
            : localized(
                language, QStringLiteral("进行中或提前结束"), QStringLiteral("In progress or ended early"));
    }
    const QString activity = entry.activityTitle.value_or(QString()).trimmed();
    if (!activity.isEmpty())
        return activity;
    return localized(language, QStringLiteral("未命名课间活动"), QStringLiteral("Untitled break activity"));
}

QString JournalController::timelineAccessibleName(const NotesTimelineEntry &entry) const
{
    const AppLanguage language = this->language();
    QStringList parts {
        StringTable::text(QStringLiteral("%1 至 %2"), language)
            .arg(NotesDateFormatters::time(entry.startTimestamp, language),
                NotesDateFormatters::time(entry.endTimestamp, language)),
        timelineTitle(entry),
        timelineSubtitle(entry),
    };
    // A focus round's badge only repeats its subtitle; a break's is its health score.
    if (!entry.kind.isFocus())
        parts.append(timelineBadge(entry));
    return parts.join(StringTable::text(QStringLiteral("，"), language));
}

QString JournalController::timelineBadge(const NotesTimelineEntry &entry) const
{
    const AppLanguage language = this->language();
    if (entry.kind.isFocus()) {
        return entry.kind.completed ? localized(language, QStringLiteral("完成"), QStringLiteral("Done"))
                                    : localized(language, QStringLiteral("未完成"), QStringLiteral("Open"));
    }
    return localized(language, QStringLiteral("+%1 健康分"), QStringLiteral("+%1 Health"))
        .arg(entry.kind.healthScore);
}
