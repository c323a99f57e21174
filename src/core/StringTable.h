#pragma once

#include "core/AppLanguage.h"

#include <QString>

// Some labels of the interface are written as Chinese localisation keys. This table gives their English
// text; in Chinese, and for a key the table has no entry for, the key itself is the text. The language
// is an argument because the settings sheet previews its own draft language.
namespace StringTable {

QString text(const QString &key, AppLanguage language);

// A text with a count, its key a Chinese text in which %n stands for the count. English takes the
// singular or plural form that Qt's translation of the key gives for the count, so "1 minute" but
// "2 minutes"; Chinese, which has one form, and a key without a translation show the key. %n becomes the
// count in digits.
QString counted(const QString &key, qint64 count, AppLanguage language);

} // namespace StringTable
