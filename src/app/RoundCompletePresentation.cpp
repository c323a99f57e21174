#include "app/RoundCompletePresentation.h"

#include "core/StringTable.h"

namespace {

QString startBreakTitle(AppLanguage language, KeyboardHold hold)
{
    switch (hold) {
    case KeyboardHold::session:
        break;
    case KeyboardHold::windowAndShortcuts:
        return localized(language, QStringLiteral("进入休息并接管快捷键"),
            QStringLiteral("Start Break and Hold Shortcuts"));
    case KeyboardHold::windowOnly:
        return localized(language, QStringLiteral("进入休息"), QStringLiteral("Start Break"));
    }
    return StringTable::text(QStringLiteral("进入休息并锁定键盘"), language);
}

} // namespace

RoundCompletePresentation RoundCompletePresentation::make(AppLanguage language, KeyboardHold hold)
{
    RoundCompletePresentation presentation;
    presentation.title = StringTable::text(QStringLiteral("这一轮完成了"), language);
    presentation.notesHeading
        = localized(language, QStringLiteral("本轮笔记"), QStringLiteral("Session Notes"));
    presentation.notesPlaceholder = localized(language, QStringLiteral("点击记录这一轮正在做什么…"),
        QStringLiteral("Click to capture this session…"));
    presentation.breakTitle = startBreakTitle(language, hold);
    presentation.breakSymbol = QStringLiteral("lock.fill");
    // Where nothing holds the keyboard, the break cannot claim to block it.
    presentation.hint = hold == KeyboardHold::windowOnly
        ? localized(language, QStringLiteral("不会暂停或终止任何后台任务"),
            QStringLiteral("No background task is paused or stopped"))
        : StringTable::text(QStringLiteral("只拦截键盘输入，不会暂停或终止任何后台任务"), language);
    presentation.hintSymbol = QStringLiteral("shield.lefthalf.filled");
    return presentation;
}
