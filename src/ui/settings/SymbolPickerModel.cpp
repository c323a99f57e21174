#include "ui/settings/SymbolPickerModel.h"

#include "core/SymbolGlyphs.h"
#include "ui/settings/WheelSymbolLibrary.h"

SymbolPickerModel::SymbolPickerModel(QObject *parent)
    : QAbstractListModel(parent)
    , m_category(WheelSymbolLibrary::allCategory())
    , m_options(WheelSymbolLibrary::options())
{ }

int SymbolPickerModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_options.size());
}

QString SymbolPickerModel::nameAt(int row) const
{
    return row >= 0 && row < m_options.size() ? m_options[row].name : QString();
}

QVariant SymbolPickerModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const WheelSymbolOption &option = m_options[index.row()];
    switch (Role(role)) {
    case NameRole:
        return option.name;
    case LabelRole:
        return WheelSymbolLibrary::optionLabel(option, m_language);
    case GlyphRole:
        return SymbolGlyphs::text(option.name);
    case SelectedRole:
        return option.name == m_selection;
    }
    return {};
}

QHash<int, QByteArray> SymbolPickerModel::roleNames() const
{
    return {
        { NameRole, "name" },
        { LabelRole, "label" },
        { GlyphRole, "glyph" },
        { SelectedRole, "selected" },
    };
}

void SymbolPickerModel::setLanguageName(const QString &name)
{
    const std::optional<AppLanguage> language = fromRawValue<AppLanguage>(name);
    if (!language || *language == m_language)
        return;
    m_language = *language;
    emit languageChanged();
    // An English search may match other labels now.
    refilter();
    announce({ LabelRole });
}

void SymbolPickerModel::setCategory(const QString &category)
{
    if (category == m_category)
        return;
    m_category = category;
    emit categoryChanged();
    refilter();
}

void SymbolPickerModel::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    emit searchTextChanged();
    refilter();
}

void SymbolPickerModel::setSelection(const QString &name)
{
    if (name == m_selection)
        return;
    m_selection = name;
    emit selectionChanged();
    announce({ SelectedRole });
}

QVariantList SymbolPickerModel::categories() const
{
    QVariantList buttons;
    for (const QString &category : WheelSymbolLibrary::categories())
        buttons.append(QVariantMap { { QStringLiteral("category"), category },
            { QStringLiteral("label"), WheelSymbolLibrary::categoryLabel(category, m_language) } });
    return buttons;
}

void SymbolPickerModel::refilter()
{
    const QList<WheelSymbolOption> next
        = WheelSymbolLibrary::visibleOptions(m_category, m_searchText, m_language);
    // Cells leave and arrive one by one rather than by a reset, so the grid keeps the cells that stay
    // and never loses track of the ones it is still making.
    for (qsizetype row = m_options.size() - 1; row >= 0; --row) {
        if (!next.contains(m_options[row]))
            removeOptions(row, row + 1);
    }
    // Both lists keep the catalogue's order, so what is left lines up with the new list once the
    // missing cells are put in their places.
    for (qsizetype row = 0; row < next.size(); ++row) {
        if (row < m_options.size() && m_options[row] == next[row])
            continue;
        beginInsertRows({}, int(row), int(row));
        m_options.insert(row, next[row]);
        endInsertRows();
    }
    if (m_options.size() > next.size())
        removeOptions(next.size(), m_options.size());
}

void SymbolPickerModel::removeOptions(qsizetype from, qsizetype to)
{
    beginRemoveRows({}, int(from), int(to - 1));
    m_options.remove(from, to - from);
    endRemoveRows();
}

void SymbolPickerModel::announce(const QList<int> &roles)
{
    if (!m_options.isEmpty())
        emit dataChanged(index(0), index(int(m_options.size() - 1)), roles);
}
