#include "StringTable.h"

#include <QHash>

namespace {

const QHash<QString, QString> &englishEntries()
{
    static const QHash<QString, QString> entries {
        { QStringLiteral("柯帆"), QStringLiteral("Quorvane") },
        { QStringLiteral("知道了"), QStringLiteral("OK") },
        { QStringLiteral("动态概率转盘"), QStringLiteral("Dynamic Probability Wheel") },
        { QStringLiteral("我已完成 · 开始下一轮"), QStringLiteral("Done · Start Next Round") },
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
