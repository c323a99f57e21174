#include "ui/settings/WheelSymbolLibrary.h"

namespace WheelSymbolLibrary {

const QList<WheelSymbolOption> &options()
{
    static const QList<WheelSymbolOption> catalogue {
        { QStringLiteral("figure.walk"), QStringLiteral("散步"), QStringLiteral("运动") },
        { QStringLiteral("figure.run"), QStringLiteral("跑步"), QStringLiteral("运动") },
        { QStringLiteral("figure.hiking"), QStringLiteral("徒步"), QStringLiteral("运动") },
        { QStringLiteral("figure.cooldown"), QStringLiteral("放松"), QStringLiteral("运动") },
        { QStringLiteral("figure.flexibility"), QStringLiteral("拉伸"), QStringLiteral("运动") },
        { QStringLiteral("figure.strengthtraining.traditional"), QStringLiteral("力量"),
            QStringLiteral("运动") },
        { QStringLiteral("dumbbell.fill"), QStringLiteral("哑铃"), QStringLiteral("运动") },
        { QStringLiteral("figure.core.training"), QStringLiteral("核心"), QStringLiteral("运动") },
        { QStringLiteral("figure.mind.and.body"), QStringLiteral("身心"), QStringLiteral("运动") },
        { QStringLiteral("bed.double.fill"), QStringLiteral("睡眠"), QStringLiteral("休息") },
        { QStringLiteral("moon.fill"), QStringLiteral("夜晚"), QStringLiteral("休息") },
        { QStringLiteral("zzz"), QStringLiteral("小睡"), QStringLiteral("休息") },
        { QStringLiteral("chair.lounge.fill"), QStringLiteral("躺椅"), QStringLiteral("休息") },
        { QStringLiteral("timer"), QStringLiteral("计时"), QStringLiteral("休息") },
        { QStringLiteral("hourglass"), QStringLiteral("片刻"), QStringLiteral("休息") },
        { QStringLiteral("headphones"), QStringLiteral("音乐休息"), QStringLiteral("休息") },
        { QStringLiteral("music.note"), QStringLiteral("音乐"), QStringLiteral("休息") },
        { QStringLiteral("book.closed.fill"), QStringLiteral("阅读"), QStringLiteral("休息") },
        { QStringLiteral("heart.fill"), QStringLiteral("心脏"), QStringLiteral("健康") },
        { QStringLiteral("cross.case.fill"), QStringLiteral("健康"), QStringLiteral("健康") },
        { QStringLiteral("brain.head.profile"), QStringLiteral("冥想"), QStringLiteral("健康") },
        { QStringLiteral("eye.fill"), QStringLiteral("远眺"), QStringLiteral("健康") },
        { QStringLiteral("lungs.fill"), QStringLiteral("呼吸"), QStringLiteral("健康") },
        { QStringLiteral("drop.fill"), QStringLiteral("补水"), QStringLiteral("健康") },
        { QStringLiteral("cup.and.saucer.fill"), QStringLiteral("喝水"), QStringLiteral("健康") },
        { QStringLiteral("pills.fill"), QStringLiteral("保健"), QStringLiteral("健康") },
        { QStringLiteral("waveform.path.ecg"), QStringLiteral("心率"), QStringLiteral("健康") },
        { QStringLiteral("leaf.fill"), QStringLiteral("叶子"), QStringLiteral("自然") },
        { QStringLiteral("tree.fill"), QStringLiteral("树木"), QStringLiteral("自然") },
        { QStringLiteral("mountain.2.fill"), QStringLiteral("远山"), QStringLiteral("自然") },
        { QStringLiteral("sun.max.fill"), QStringLiteral("阳光"), QStringLiteral("自然") },
        { QStringLiteral("cloud.fill"), QStringLiteral("云朵"), QStringLiteral("自然") },
        { QStringLiteral("wind"), QStringLiteral("清风"), QStringLiteral("自然") },
        { QStringLiteral("flame.fill"), QStringLiteral("能量"), QStringLiteral("自然") },
        { QStringLiteral("snowflake"), QStringLiteral("清凉"), QStringLiteral("自然") },
        { QStringLiteral("water.waves"), QStringLiteral("水波"), QStringLiteral("自然") },
        { QStringLiteral("sparkles"), QStringLiteral("自由"), QStringLiteral("日常") },
        { QStringLiteral("star.fill"), QStringLiteral("星标"), QStringLiteral("日常") },
        { QStringLiteral("checkmark.circle.fill"), QStringLiteral("完成"), QStringLiteral("日常") },
        { QStringLiteral("gift.fill"), QStringLiteral("奖励"), QStringLiteral("日常") },
        { QStringLiteral("lightbulb.fill"), QStringLiteral("灵感"), QStringLiteral("日常") },
        { QStringLiteral("bell.fill"), QStringLiteral("提醒"), QStringLiteral("日常") },
        { QStringLiteral("house.fill"), QStringLiteral("居家"), QStringLiteral("日常") },
        { QStringLiteral("fork.knife"), QStringLiteral("饮食"), QStringLiteral("日常") },
        { QStringLiteral("paintpalette.fill"), QStringLiteral("创作"), QStringLiteral("日常") },
    };
    return catalogue;
}

const QStringList &categories()
{
    static const QStringList keys { allCategory(), QStringLiteral("运动"), QStringLiteral("休息"),
        QStringLiteral("健康"), QStringLiteral("自然"), QStringLiteral("日常") };
    return keys;
}

QString allCategory()
{
    return QStringLiteral("全部");
}

const QHash<QString, QString> &englishCategories()
{
    static const QHash<QString, QString> labels {
        { allCategory(), QStringLiteral("All") },
        { QStringLiteral("运动"), QStringLiteral("Exercise") },
        { QStringLiteral("休息"), QStringLiteral("Rest") },
        { QStringLiteral("健康"), QStringLiteral("Health") },
        { QStringLiteral("自然"), QStringLiteral("Nature") },
        { QStringLiteral("日常"), QStringLiteral("Everyday") },
    };
    return labels;
}

const QHash<QString, QString> &englishLabels()
{
    static const QHash<QString, QString> labels {
        { QStringLiteral("figure.walk"), QStringLiteral("Walk") },
        { QStringLiteral("figure.run"), QStringLiteral("Run") },
        { QStringLiteral("figure.hiking"), QStringLiteral("Hike") },
        { QStringLiteral("figure.cooldown"), QStringLiteral("Cool Down") },
        { QStringLiteral("figure.flexibility"), QStringLiteral("Stretch") },
        { QStringLiteral("figure.strengthtraining.traditional"), QStringLiteral("Strength") },
        { QStringLiteral("dumbbell.fill"), QStringLiteral("Dumbbell") },
        { QStringLiteral("figure.core.training"), QStringLiteral("Core") },
        { QStringLiteral("figure.mind.and.body"), QStringLiteral("Mind & Body") },
        { QStringLiteral("bed.double.fill"), QStringLiteral("Sleep") },
        { QStringLiteral("moon.fill"), QStringLiteral("Night") },
        { QStringLiteral("zzz"), QStringLiteral("Nap") },
        { QStringLiteral("chair.lounge.fill"), QStringLiteral("Lounge") },
        { QStringLiteral("timer"), QStringLiteral("Timer") },
        { QStringLiteral("hourglass"), QStringLiteral("Pause") },
        { QStringLiteral("headphones"), QStringLiteral("Audio Break") },
        { QStringLiteral("music.note"), QStringLiteral("Music") },
        { QStringLiteral("book.closed.fill"), QStringLiteral("Read") },
        { QStringLiteral("heart.fill"), QStringLiteral("Heart") },
        { QStringLiteral("cross.case.fill"), QStringLiteral("Health") },
        { QStringLiteral("brain.head.profile"), QStringLiteral("Meditate") },
        { QStringLiteral("eye.fill"), QStringLiteral("Look Far") },
        { QStringLiteral("lungs.fill"), QStringLiteral("Breathe") },
        { QStringLiteral("drop.fill"), QStringLiteral("Hydrate") },
        { QStringLiteral("cup.and.saucer.fill"), QStringLiteral("Drink") },
        { QStringLiteral("pills.fill"), QStringLiteral("Wellness") },
        { QStringLiteral("waveform.path.ecg"), QStringLiteral("Heart Rate") },
        { QStringLiteral("leaf.fill"), QStringLiteral("Leaf") },
        { QStringLiteral("tree.fill"), QStringLiteral("Tree") },
        { QStringLiteral("mountain.2.fill"), QStringLiteral("Mountain") },
        { QStringLiteral("sun.max.fill"), QStringLiteral("Sunlight") },
        { QStringLiteral("cloud.fill"), QStringLiteral("Cloud") },
        { QStringLiteral("wind"), QStringLiteral("Breeze") },
        { QStringLiteral("flame.fill"), QStringLiteral("Energy") },
        { QStringLiteral("snowflake"), QStringLiteral("Cool") },
        { QStringLiteral("water.waves"), QStringLiteral("Water") },
        { QStringLiteral("sparkles"), QStringLiteral("Free Choice") },
        { QStringLiteral("star.fill"), QStringLiteral("Favorite") },
        { QStringLiteral("checkmark.circle.fill"), QStringLiteral("Complete") },
        { QStringLiteral("gift.fill"), QStringLiteral("Reward") },
        { QStringLiteral("lightbulb.fill"), QStringLiteral("Idea") },
        { QStringLiteral("bell.fill"), QStringLiteral("Reminder") },
        { QStringLiteral("house.fill"), QStringLiteral("Home") },
        { QStringLiteral("fork.knife"), QStringLiteral("Food") },
        { QStringLiteral("paintpalette.fill"), QStringLiteral("Create") },
    };
    return labels;
}

QString categoryLabel(const QString &category, AppLanguage language)
{
    if (language == AppLanguage::chinese)
        return category;
    return englishCategories().value(category, category);
}

QString optionLabel(const WheelSymbolOption &option, AppLanguage language)
{
    if (language == AppLanguage::chinese)
        return option.label;
    return englishLabels().value(option.name, option.label);
}

QList<WheelSymbolOption> visibleOptions(const QString &category, const QString &query, AppLanguage language)
{
    const QString needle = query.trimmed();
    const bool everyCategory = category == allCategory();
    QList<WheelSymbolOption> visible;
    for (const WheelSymbolOption &option : options()) {
        if (!everyCategory && option.category != category)
            continue;
        if (needle.isEmpty() || option.label.contains(needle, Qt::CaseInsensitive)
            || optionLabel(option, language).contains(needle, Qt::CaseInsensitive)
            || option.name.contains(needle, Qt::CaseInsensitive))
            visible.append(option);
    }
    return visible;
}

} // namespace WheelSymbolLibrary
