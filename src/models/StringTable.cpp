#include "StringTable.h"

#include <QHash>

namespace {

const QHash<QString, QString> &englishEntries()
{
    static const QHash<QString, QString> entries {
        { QStringLiteral("柯帆"), QStringLiteral("Quorvane") },
        { QStringLiteral("知道了"), QStringLiteral("OK") },
    };
    return entries;
}

} // namespace

namespace StringTable {

QString text(const QString &key, AppLanguage language)
{
    if (language == AppLanguage::chinese)
        return key;
    return englishEntries().value(key, key);
}

} // namespace StringTable
