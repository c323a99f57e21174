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

// What the break holds and what it leaves running, true to the grab: where nothing holds the keyboard, the
// break cannot claim to block it.
QString breakHint(AppLanguage language, KeyboardHold hold)
{
    switch (hold) {
    case KeyboardHold::session:
        break;
    case KeyboardHold::windowAndShortcuts:
        return localized(language, QStringLiteral("快捷键交给休息窗口，不会暂停或终止任何后台任务"),
            QStringLiteral("Shortcuts go to the break window; no background task is paused or stopped"));
    case KeyboardHold::windowOnly:
        return localized(language, QStringLiteral("不会暂停或终止任何后台任务"),
            QStringLiteral("No background task is paused or stopped"));
    }
    return StringTable::text(QStringLiteral("只拦截键盘输入，不会暂停或终止任何后台任务"), language);
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
    presentation.breakSymbol
        = hold == KeyboardHold::windowOnly ? QStringLiteral("figure.walk") : QStringLiteral("lock.fill");
    presentation.hint = breakHint(language, hold);
    presentation.hintSymbol = QStringLiteral("shield.lefthalf.filled");
    return presentation;
}
