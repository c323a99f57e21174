#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

// One timeline row of the journal's selected day, ready to show.
struct JournalDayRow
{
    QString entryID;
    bool isBreak = false;
    // "timer" or "figure.walk".
    QString symbol;
    QString title;
    QString subtitle;
    QString badgeText;
    // "done", "open" or "health".
    QString badgeStyle;
    // Start, an em dash and end, one to a line.
    QString timeText;
    // What a screen reader says of the entry: when it was, its title, how it went and, for a break, its
    // health score.
    QString accessibleName;
    // The notes as stored, or the placeholder when they are blank.
    QString notesText;
    bool hasNotes = false;
    bool isFirst = false;
    bool isLast = false;
    bool isEditing = false;
    int railHeight = 112;

    friend bool operator==(const JournalDayRow &, const JournalDayRow &) = default;
};

// The entries of the journal's selected day. Rows keep their place across updates that leave the
// same entries in the same order, so an open editor is not rebuilt.
class JournalDayModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged FINAL)

public:
    enum Role {
        EntryIDRole = Qt::UserRole + 1,
        IsBreakRole,
        SymbolRole,
        TitleRole,
        SubtitleRole,
        BadgeTextRole,
        BadgeStyleRole,
        TimeTextRole,
        AccessibleNameRole,
        NotesTextRole,
        HasNotesRole,
        IsFirstRole,
        IsLastRole,
        IsEditingRole,
        RailHeightRole,
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_rows.size()); }
    const QList<JournalDayRow> &rows() const { return m_rows; }
    void setRows(const QList<JournalDayRow> &rows);

signals:
    void countChanged();

private:
    QList<JournalDayRow> m_rows;
};
