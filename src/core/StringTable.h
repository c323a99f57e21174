#pragma once

#include "core/AppLanguage.h"
#include "core/Result.h"

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

// A failure as the user reads it: its key's text with each argument in place, a reason the system gave in the
// user's language where the table knows it.
QString error(const Error &failure, AppLanguage language);

// A reason the system gave (a file error's text, in English) in the user's language where the table knows
// it, else as it came.
QString systemReason(const QString &reason, AppLanguage language);

} // namespace StringTable
