#pragma once

#include "core/AppLanguage.h"
#include "core/NotesTimelineEntry.h"
#include "ui/journal/JournalDayModel.h"
#include "ui/journal/JournalSnapshot.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <optional>

class AppController;

// The journal sheet's state and rules, made afresh for each presentation: the snapshot of every
// journal entry and when it is reloaded, the selected day and the month on show, the day's rows and
// figures, and the record editor. The views only lay it out and forward taps.
class JournalController : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("app/AppController.h")
    Q_PROPERTY(AppController *controller READ controller WRITE setController NOTIFY controllerChanged FINAL)
    Q_PROPERTY(bool snapshotLoaded READ snapshotLoaded NOTIFY snapshotChanged FINAL)
    Q_PROPERTY(JournalDayModel *dayModel READ dayModel CONSTANT FINAL)
    Q_PROPERTY(QDate selectedDate READ selectedDate NOTIFY selectedDateChanged FINAL)
    Q_PROPERTY(QDate visibleMonth READ visibleMonth NOTIFY visibleMonthChanged FINAL)
    // Texts and figures of the day and the month, in the interface language.
    Q_PROPERTY(QString dayTitle READ dayTitle NOTIFY dayChanged FINAL)
    Q_PROPERTY(QString countLine READ countLine NOTIFY dayChanged FINAL)
    Q_PROPERTY(bool selectedDayIsToday READ selectedDayIsToday NOTIFY dayChanged FINAL)
    Q_PROPERTY(bool showsEmptyDay READ showsEmptyDay NOTIFY dayChanged FINAL)
    // The three figures of the day at a glance: value, label, symbol and the name a screen reader says.
    Q_PROPERTY(QVariantList dayFigures READ dayFigures NOTIFY dayChanged FINAL)
    // Which log holds rows that could not be read, and how many; empty when there are none.
    Q_PROPERTY(QString unreadableRowsNote READ unreadableRowsNote NOTIFY dayChanged FINAL)
    Q_PROPERTY(QString monthTitle READ monthTitle NOTIFY monthChanged FINAL)
    Q_PROPERTY(QStringList weekdayLabels READ weekdayLabels NOTIFY monthChanged FINAL)
    Q_PROPERTY(QVariantList monthCells READ monthCells NOTIFY monthChanged FINAL)
    // The record editor.
    Q_PROPERTY(QString editingEntryID READ editingEntryID NOTIFY editingChanged FINAL)
    Q_PROPERTY(bool editingIsBreak READ editingIsBreak NOTIFY editingChanged FINAL)
    Q_PROPERTY(QString editingTitlePlaceholder READ editingTitlePlaceholder NOTIFY editingChanged FINAL)
    Q_PROPERTY(QString editingTitle READ editingTitle WRITE setEditingTitle NOTIFY editingTextsChanged FINAL)
    Q_PROPERTY(QString editingActivityTitle READ editingActivityTitle WRITE setEditingActivityTitle NOTIFY
            editingTextsChanged FINAL)
    Q_PROPERTY(QString editingHealthScore READ editingHealthScore WRITE setEditingHealthScore NOTIFY
            editingTextsChanged FINAL)
    Q_PROPERTY(QString editingNotes READ editingNotes WRITE setEditingNotes NOTIFY editingTextsChanged FINAL)
    Q_PROPERTY(QString focusedEntryID READ focusedEntryID NOTIFY focusedEntryIDChanged FINAL)

public:
    explicit JournalController(QObject *parent = nullptr);
    // Saves a record still open, whichever way the sheet went.
    ~JournalController() override;

    AppController *controller() const { return m_controller; }
    // Starts the journal on today and follows the controller's notes revision from now on.
    void setController(AppController *controller);
    // The first column of the month grid, Sunday = 1; by default the interface locale's.
    void setFirstWeekday(std::optional<int> weekday);
    int firstWeekday() const;

    // The snapshot.
    bool snapshotLoaded() const { return m_snapshotLoaded; }
    qint64 loadedNotesRevision() const { return m_loadedNotesRevision; }
    // Every entry, the running round's included, in start order.
    QList<NotesTimelineEntry> journalEntries() const;
    // The days that hold an entry.
    QSet<QDate> journalDays() const;
    // The selected day's entries, in start order.
    const QList<NotesTimelineEntry> &entries() const { return m_dayEntries; }
    // Reloads every entry for this revision on a worker thread; only the newest read is applied.
    void refreshJournalSnapshot(qint64 revision);
    // Whether a read is still to be applied.
    bool isReading() const { return m_pendingRead != 0; }

    // The day and the month.
    QDate selectedDate() const { return m_selectedDate; }
    QDate visibleMonth() const { return m_visibleMonth; }
    JournalDayModel *dayModel() { return &m_dayModel; }
    QString dayTitle() const;
    QString countLine() const;
    bool selectedDayIsToday() const;
    bool showsEmptyDay() const { return m_snapshotLoaded && m_dayEntries.isEmpty(); }
    int focusCount() const;
    int breakCount() const;
    int noteCount() const;
    QVariantList dayFigures() const;
    QString unreadableRowsNote() const;
    QString monthTitle() const;
    QStringList weekdayLabels() const;
    QVariantList monthCells() const;
    Q_INVOKABLE void showAdjacentMonth(int offset);
    // A tap on a day of the grid: an open record is saved first.
    Q_INVOKABLE void selectDay(QDate day);
    Q_INVOKABLE void selectDayOfVisibleMonth(int dayOfMonth);
    // A key on the grid, which is one stop for Tab: the arrows move the selection a day or a week, Page Up
    // and Down a month, Home and End to the month's ends, the month on show following. False for any
    // other key.
    Q_INVOKABLE bool moveSelection(int key);

    // Texts of an entry.
    QString defaultTimelineTitle(const NotesTimelineEntry &entry) const;
    QString timelineTitle(const NotesTimelineEntry &entry) const;
    QString timelineSubtitle(const NotesTimelineEntry &entry) const;
    QString timelineBadge(const NotesTimelineEntry &entry) const;
    // When it was, its title, how it went and a break's health score, as a screen reader says it.
    QString timelineAccessibleName(const NotesTimelineEntry &entry) const;

    // The record editor.
    const std::optional<NotesTimelineEntry> &editingEntry() const { return m_editingEntry; }
    QString editingEntryID() const { return m_editingEntry ? m_editingEntry->id : QString(); }
    bool editingIsBreak() const { return m_editingEntry && !m_editingEntry->kind.isFocus(); }
    QString editingTitlePlaceholder() const;
    const QString &editingTitle() const { return m_editingTitle; }
    const QString &editingActivityTitle() const { return m_editingActivityTitle; }
    const QString &editingHealthScore() const { return m_editingHealthScore; }
    const QString &editingNotes() const { return m_editingNotes; }
    void setEditingTitle(const QString &text);
    void setEditingActivityTitle(const QString &text);
    void setEditingHealthScore(const QString &text);
    void setEditingNotes(const QString &text);
    const QString &focusedEntryID() const { return m_focusedEntryID; }
    // Opens the editor on an entry of the selected day, saving a record open before.
    Q_INVOKABLE void beginEditing(const QString &entryID);
    void beginEditing(const NotesTimelineEntry &entry);
    // Saves the open record and closes the editor; nothing when none is open.
    Q_INVOKABLE void commitEditing();
    // Closes the editor without saving.
    Q_INVOKABLE void cancelEditing();
    // The header's Done: saves an open record, then closes the sheet.
    Q_INVOKABLE void close();

    // The score a break record is saved with: the typed number, or the logged score when nothing reads
    // as a number, and in either case at least 0.
    static qint64 healthScoreToSave(const QString &typed, qint64 loggedScore);

signals:
    void controllerChanged();
    void snapshotChanged();
    void selectedDateChanged();
    void visibleMonthChanged();
    void dayChanged();
    void monthChanged();
    void editingChanged();
    void editingTextsChanged();
    void focusedEntryIDChanged();

private:
    // The controller's language; Chinese until a controller is set.
    AppLanguage language() const;
    // The day of the month on show that Tab reaches: the selected one, else the month's first.
    QDate selectionInView() const;
    void applySnapshot(JournalSnapshot snapshot, std::optional<NotesTimelineEntry> live, quint64 generation);
    // Recomputes the selected day's entries and rows, and announces what changed.
    void refreshDay();
    void refreshRows();
    QList<JournalDayRow> rowsOf(const QList<NotesTimelineEntry> &entries) const;
    NotesTimelineEntry savedValuesOf(const NotesTimelineEntry &entry, const QString &title,
        const std::optional<QString> &activityTitle, std::optional<qint64> healthScore,
        const QString &notes) const;
    QDate today() const;
    void setFocusedEntryID(const QString &id);

    QPointer<AppController> m_controller;
    std::optional<int> m_firstWeekday;

    JournalSnapshot m_logged;
    // Bumped whenever m_logged is replaced, so that a read compared with an older one is not trusted.
    quint64 m_loggedGeneration = 0;
    std::optional<NotesTimelineEntry> m_live;
    bool m_snapshotLoaded = false;
    qint64 m_loadedNotesRevision = -1;
    // The newest read asked for, 0 when none is pending, and the revision it reads.
    quint64 m_pendingRead = 0;
    quint64 m_lastRead = 0;
    qint64 m_pendingRevision = -1;
    // Records saved since the last applied read, shown with their saved values until it lands.
    QHash<QString, NotesTimelineEntry> m_savedEntries;

    QDate m_selectedDate;
    QDate m_visibleMonth;
    QList<NotesTimelineEntry> m_dayEntries;
    JournalDayModel m_dayModel;

    std::optional<NotesTimelineEntry> m_editingEntry;
    QString m_editingTitle;
    QString m_editingActivityTitle;
    QString m_editingHealthScore;
    QString m_editingNotes;
    QString m_focusedEntryID;
};
