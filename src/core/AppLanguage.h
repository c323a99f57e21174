#pragma once

#include "core/RawValueEnum.h"

#include <QLocale>

enum class AppLanguage { chinese, english };

template<> struct RawValues<AppLanguage>
{
    static constexpr std::array texts { "chinese", "english" };
};

// Picks the text of a Chinese/English pair for the language.
inline QString localized(AppLanguage language, const QString &chinese, const QString &english)
{
    return language == AppLanguage::chinese ? chinese : english;
}

// The locale that dates and numbers of the interface follow: "zh-Hans" or "en".
inline QLocale locale(AppLanguage language)
{
    return language == AppLanguage::chinese
        ? QLocale(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China)
        : QLocale(QLocale::English, QLocale::UnitedStates);
}
