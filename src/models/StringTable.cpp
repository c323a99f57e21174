#include "StringTable.h"

#include <QHash>

namespace {

const QHash<QString, QString> &englishEntries()
{
    static const QHash<QString, QString> entries {
        { QStringLiteral("柯帆"), QStringLiteral("Quorvane") },
        { QStringLiteral("知道了"), QStringLiteral("OK") },
        { QStringLiteral("暂停计时"), QStringLiteral("Pause") },
        { QStringLiteral("继续计时"), QStringLiteral("Resume") },
        { QStringLiteral("提前休息"), QStringLiteral("Break Early") },
        { QStringLiteral("本轮不计为已完成番茄"),
            QStringLiteral("This round will not count as a completed focus round") },
        { QStringLiteral("这一轮完成了"), QStringLiteral("Round Complete") },
        { QStringLiteral("进入休息并锁定键盘"), QStringLiteral("Start Break and Lock Keyboard") },
        { QStringLiteral("只拦截键盘输入，不会暂停或终止任何后台任务"),
            QStringLiteral("Only keyboard input is blocked; no background task is paused or stopped") },
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
