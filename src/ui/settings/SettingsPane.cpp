#include "ui/settings/SettingsPane.h"

QString title(SettingsPane pane, AppLanguage language)
{
    switch (pane) {
    case SettingsPane::appearance:
        return localized(language, QStringLiteral("画面"), QStringLiteral("Visuals"));
    case SettingsPane::general:
        return localized(language, QStringLiteral("通用"), QStringLiteral("General"));
    case SettingsPane::focus:
        return localized(language, QStringLiteral("节奏"), QStringLiteral("Rhythm"));
    case SettingsPane::audio:
        return localized(language, QStringLiteral("音乐"), QStringLiteral("Music"));
    case SettingsPane::wheel:
        return localized(language, QStringLiteral("转盘"), QStringLiteral("Wheel"));
    case SettingsPane::records:
        return localized(language, QStringLiteral("记录"), QStringLiteral("Records"));
    case SettingsPane::update:
        return localized(language, QStringLiteral("更新"), QStringLiteral("Updates"));
    }
    return {};
}

QString subtitle(SettingsPane pane, AppLanguage language)
{
    switch (pane) {
    case SettingsPane::appearance:
        return localized(language, QStringLiteral("背景、蒙版、自动取色"),
            QStringLiteral("Background, overlay, automatic palette"));
    case SettingsPane::general:
        return localized(language, QStringLiteral("语言、窗口、应用信息"),
            QStringLiteral("Language, window, app information"));
    case SettingsPane::focus:
        return localized(language, QStringLiteral("时长、空闲、活动监测"),
            QStringLiteral("Duration, inactivity, activity tracking"));
    case SettingsPane::audio:
        return localized(
            language, QStringLiteral("专注、休整播放列表"), QStringLiteral("Focus and break playlists"));
    case SettingsPane::wheel:
        return localized(language, QStringLiteral("项目、权重、自动概率"),
            QStringLiteral("Items, weights, automatic probabilities"));
    case SettingsPane::records:
        return localized(language, QStringLiteral("数据、权限、键盘安全"),
            QStringLiteral("Data, permissions, keyboard safety"));
    case SettingsPane::update:
        return localized(language, QStringLiteral("版本、自动检查、安全校验"),
            QStringLiteral("Version, automatic checks, verification"));
    }
    return {};
}

QString symbol(SettingsPane pane)
{
    switch (pane) {
    case SettingsPane::appearance:
        return QStringLiteral("photo.on.rectangle.angled");
    case SettingsPane::general:
        return QStringLiteral("globe");
    case SettingsPane::focus:
        return QStringLiteral("timer");
    case SettingsPane::audio:
        return QStringLiteral("music.note.list");
    case SettingsPane::wheel:
        return QStringLiteral("chart.pie.fill");
    case SettingsPane::records:
        return QStringLiteral("lock.doc.fill");
    case SettingsPane::update:
        return QStringLiteral("arrow.triangle.2.circlepath.circle.fill");
    }
    return {};
}
