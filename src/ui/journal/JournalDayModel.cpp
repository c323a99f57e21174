#include "ui/journal/JournalDayModel.h"

#include <algorithm>

int JournalDayModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant JournalDayModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const JournalDayRow &row = m_rows[index.row()];
    switch (Role(role)) {
    case EntryIDRole:
        return row.entryID;
    case IsBreakRole:
        return row.isBreak;
    case SymbolRole:
        return row.symbol;
    case TitleRole:
        return row.title;
    case SubtitleRole:
        return row.subtitle;
    case BadgeTextRole:
        return row.badgeText;
    case BadgeStyleRole:
        return row.badgeStyle;
    case TimeTextRole:
        return row.timeText;
    case AccessibleNameRole:
        return row.accessibleName;
    case NotesTextRole:
        return row.notesText;
    case HasNotesRole:
        return row.hasNotes;
    case IsFirstRole:
        return row.isFirst;
    case IsLastRole:
        return row.isLast;
    case IsEditingRole:
        return row.isEditing;
    case RailHeightRole:
        return row.railHeight;
    }
    return {};
}

QHash<int, QByteArray> JournalDayModel::roleNames() const
{
    return {
        { EntryIDRole, "entryID" },
        { IsBreakRole, "isBreak" },
        { SymbolRole, "symbol" },
        { TitleRole, "title" },
        { SubtitleRole, "subtitle" },
        { BadgeTextRole, "badgeText" },
        { BadgeStyleRole, "badgeStyle" },
        { TimeTextRole, "timeText" },
        { AccessibleNameRole, "accessibleName" },
        { NotesTextRole, "notesText" },
        { HasNotesRole, "hasNotes" },
        { IsFirstRole, "isFirst" },
        { IsLastRole, "isLast" },
        { IsEditingRole, "isEditing" },
        { RailHeightRole, "railHeight" },
    };
}

void JournalDayModel::setRows(const QList<JournalDayRow> &rows)
{
    const bool sameEntries = rows.size() == m_rows.size()
        && std::equal(rows.cbegin(), rows.cend(), m_rows.cbegin(),
            [](const auto &left, const auto &right) { return left.entryID == right.entryID; });
    if (!sameEntries) {
        const bool countChanges = rows.size() != m_rows.size();
        beginResetModel();
        m_rows = rows;
        endResetModel();
        if (countChanges)
            emit countChanged();
        return;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i] == m_rows[i])
            continue;
        m_rows[i] = rows[i];
        emit dataChanged(index(int(i)), index(int(i)));
    }
}
