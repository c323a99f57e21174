#pragma once

#include "core/AppLanguage.h"
#include "ui/settings/WheelSymbolOption.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The fixed catalogue of symbols a wheel item can carry, grouped by Chinese category keys. It holds
// names and labels only; each name's glyph comes from SymbolGlyphs.
namespace WheelSymbolLibrary {

// Every option, in display order.
const QList<WheelSymbolOption> &options();

// The category filter keys in display order, starting with allCategory().
const QStringList &categories();

// The filter key that takes every category; no option carries it.
QString allCategory();

// English label by category key, and by symbol name.
const QHash<QString, QString> &englishCategories();
const QHash<QString, QString> &englishLabels();

// In English the table's entry, falling back to the key; in Chinese the key itself.
QString categoryLabel(const QString &category, AppLanguage language);

// In English the table's entry for the name, falling back to the Chinese label; in Chinese that label.
QString optionLabel(const WheelSymbolOption &option, AppLanguage language);

// The options of the category (every one for allCategory()) that contain the trimmed query, ignoring
// case, in their Chinese label, their label in the language or their name; catalogue order.
QList<WheelSymbolOption> visibleOptions(const QString &category, const QString &query, AppLanguage language);

} // namespace WheelSymbolLibrary
