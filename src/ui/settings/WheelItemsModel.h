#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QUuid>

class SettingsSession;

// One row of the wheel pane's item table, ready to show.
struct WheelItemRow
{
    QUuid id;
    QString title;
    QString weightText;
    QString probabilityText;
    int healthScore = 0;
    QString healthLabel;
    // The stepper's − and + stop at the ends of its range.
    bool canDecreaseHealth = false;
    bool canIncreaseHealth = false;
    QString symbol;
    QString glyph;
    QString deleteHelp;
    bool showsDivider = false;
};

// The wheel items of the open settings sheet's working copy with the texts of their weight fields. Every
// edit goes into the session; nothing reaches the controller before the sheet is saved.
//
// Rows keep their place across edits, and a change announces only the roles whose values changed: a
// weight typed into a field moves the probabilities but never reannounces that field's own text, which
// would take the focus from it and move its cursor.
class WheelItemsModel : public QAbstractListModel
{
    Q_OBJECT
    Q_MOC_INCLUDE("ui/settings/SettingsSession.h")
    Q_PROPERTY(SettingsSession *session READ session WRITE setSession NOTIFY sessionChanged FINAL)
    Q_PROPERTY(bool canAddItem READ canAddItem NOTIFY countChanged FINAL)
    Q_PROPERTY(int healthScoreMinimum READ healthScoreMinimum CONSTANT FINAL)
    Q_PROPERTY(int healthScoreMaximum READ healthScoreMaximum CONSTANT FINAL)

public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        TitleRole,
        WeightTextRole,
        ProbabilityTextRole,
        HealthScoreRole,
        HealthLabelRole,
        CanDecreaseHealthRole,
        CanIncreaseHealthRole,
        SymbolRole,
        GlyphRole,
        DeleteHelpRole,
        ShowsDividerRole,
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    SettingsSession *session() const { return m_session; }
    void setSession(SettingsSession *session);

    int count() const { return int(m_rows.size()); }
    const QList<WheelItemRow> &rows() const { return m_rows; }
    bool canAddItem() const;
    static int healthScoreMinimum() { return 0; }
    static int healthScoreMaximum() { return 100; }

    // Keeps the text whatever it holds. A blank text weighs 0, a number becomes the weight, and anything
    // else leaves the last good weight in place until the sheet is saved, which refuses it.
    Q_INVOKABLE void setWeightText(int row, const QString &text);
    // Stored as typed; the controller trims it when it saves.
    Q_INVOKABLE void setTitle(int row, const QString &title);
    // Kept within the stepper's range.
    Q_INVOKABLE void setHealthScore(int row, int score);
    // The stepper's − (a negative direction) or + (a positive one): one point, kept within its range, so
    // a hand-edited score beyond the range comes back to its nearest end.
    Q_INVOKABLE void stepHealthScore(int row, int direction);
    Q_INVOKABLE void setSymbol(int row, const QString &symbol);
    // Under three items raises the minimum-items alert and removes nothing; otherwise every item with
    // the row's id goes, with its weight text.
    Q_INVOKABLE void remove(int row);
    // Appends a new item titled in the sheet's language, while there is room for one.
    Q_INVOKABLE void addItem();
    // The symbol picker of the item with this id (upper-case text) opens, closing any other.
    Q_INVOKABLE void openSymbolPicker(const QString &itemId);
    // A picker's dismissal closes it only while it is still the open one, so a late close from one row
    // never closes the picker another row has opened since.
    Q_INVOKABLE void dismissSymbolPicker(const QString &itemId);

signals:
    void sessionChanged();
    void countChanged();

private:
    QList<WheelItemRow> makeRows() const;
    void refresh();
    void announceChanges(const QList<WheelItemRow> &next);
    bool validRow(int row) const;
    template<typename Edit> void editItem(int row, Edit edit);

    QPointer<SettingsSession> m_session;
    QList<WheelItemRow> m_rows;
    // The row whose weight field is being typed into: its own text is not announced back to it.
    int m_typingRow = -1;
};
