#include "app/KeyboardHoldText.h"

QString keyboardHoldText(KeyboardHold hold, AppLanguage language)
{
    switch (hold) {
    case KeyboardHold::session:
        break;
    case KeyboardHold::windowAndShortcuts:
        return localized(language, QStringLiteral("按键与快捷键只进入休息窗口 · 后台任务继续运行"),
            QStringLiteral("Keys and shortcuts go to the break window · Background work continues"));
    case KeyboardHold::windowOnly:
        return localized(language,
            QStringLiteral("键盘未锁定：此桌面允许其他窗口接收按键 · 后台任务继续运行"),
            QStringLiteral(
                "Keyboard not held: this desktop lets other windows take it · Background work continues"));
    }
    return localized(language, QStringLiteral("键盘已锁定 · 后台任务继续运行"),
        QStringLiteral("Keyboard locked · Background work continues"));
}
