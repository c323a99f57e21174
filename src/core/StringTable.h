#pragma once

#include "core/AppLanguage.h"

#include <QString>

// Some labels of the interface are written as Chinese localisation keys. This table gives their English
// text; in Chinese, and for a key the table has no entry for, the key itself is the text. The language
// is an argument because the settings sheet previews its own draft language.
namespace StringTable {

QString text(const QString &key, AppLanguage language);

} // namespace StringTable
