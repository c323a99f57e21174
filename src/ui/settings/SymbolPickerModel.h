#pragma once

#include "core/AppLanguage.h"
#include "ui/settings/WheelSymbolOption.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QVariantList>

// The cells of a wheel item's symbol picker: the catalogue filtered by category and search text, labelled
// in the sheet's language, the item's current symbol marked. It lives as long as one opening of the
// picker, so every opening starts on every category with an empty search.
class SymbolPickerModel : public QAbstractListModel
{
    Q_OBJECT
    // "chinese" or "english".
    Q_PROPERTY(QString language READ languageName WRITE setLanguageName NOTIFY languageChanged FINAL)
    Q_PROPERTY(QString category READ category WRITE setCategory NOTIFY categoryChanged FINAL)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged FINAL)
    // The symbol name of the item being edited.
    Q_PROPERTY(QString selection READ selection WRITE setSelection NOTIFY selectionChanged FINAL)
    // The category buttons in order: maps of "category" (the key) and "label".
    Q_PROPERTY(QVariantList categories READ categories NOTIFY languageChanged FINAL)

public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        LabelRole,
        GlyphRole,
        SelectedRole,
    };

    explicit SymbolPickerModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    // The name of the symbol in a row; empty outside the rows.
    Q_INVOKABLE QString nameAt(int row) const;

    QString languageName() const { return rawValue(m_language); }
    // An unknown name changes nothing.
    void setLanguageName(const QString &name);
    const QString &category() const { return m_category; }
    void setCategory(const QString &category);
    const QString &searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    const QString &selection() const { return m_selection; }
    void setSelection(const QString &name);
    QVariantList categories() const;
    int count() const { return int(m_options.size()); }
    const QList<WheelSymbolOption> &options() const { return m_options; }

signals:
    void languageChanged();
    void categoryChanged();
    void searchTextChanged();
    void selectionChanged();

private:
    void refilter();
    // Rows from up to, not including, to.
    void removeOptions(qsizetype from, qsizetype to);
    void announce(const QList<int> &roles);

    AppLanguage m_language = AppLanguage::chinese;
    QString m_category;
    QString m_searchText;
    QString m_selection;
    QList<WheelSymbolOption> m_options;
};
