#include "session/WheelEntryVariant.h"

#include "core/Uuid.h"

#include <QVariantMap>

namespace WheelEntryVariant {

namespace {

const QString idKey = QStringLiteral("id");
const QString titleKey = QStringLiteral("title");
const QString symbolKey = QStringLiteral("symbol");
const QString weightKey = QStringLiteral("weight");
const QString healthScoreKey = QStringLiteral("healthScore");
const QString effectiveWeightKey = QStringLiteral("effectiveWeight");
const QString discountLabelKey = QStringLiteral("discountLabel");

} // namespace

QVariantList fromEntries(const QList<WeightedWheelItem> &entries)
{
    QVariantList maps;
    maps.reserve(entries.size());
    for (const WeightedWheelItem &entry : entries) {
        QVariantMap map {
            { idKey, Uuid::upperText(entry.item.id) },
            { titleKey, entry.item.title },
            { symbolKey, entry.item.symbol },
            { weightKey, entry.item.weight },
            { healthScoreKey, entry.item.healthScore },
            { effectiveWeightKey, entry.effectiveWeight },
        };
        if (entry.discountLabel)
            map.insert(discountLabelKey, *entry.discountLabel);
        maps.append(map);
    }
    return maps;
}

QList<WeightedWheelItem> toEntries(const QVariantList &maps)
{
    QList<WeightedWheelItem> entries;
    entries.reserve(maps.size());
    for (const QVariant &value : maps) {
        const QVariantMap map = value.toMap();
        const std::optional<QUuid> id = Uuid::parse(map.value(idKey).toString());
        bool weightRead = false;
        const double effectiveWeight = map.value(effectiveWeightKey).toDouble(&weightRead);
        if (!id || !weightRead)
            continue;
        WeightedWheelItem entry;
        entry.item.id = *id;
        entry.item.title = map.value(titleKey).toString();
        entry.item.symbol = map.value(symbolKey).toString();
        entry.item.weight = map.value(weightKey).toDouble();
        entry.item.healthScore = map.value(healthScoreKey).toLongLong();
        entry.effectiveWeight = effectiveWeight;
        if (map.contains(discountLabelKey))
            entry.discountLabel = map.value(discountLabelKey).toString();
        entries.append(entry);
    }
    return entries;
}

} // namespace WheelEntryVariant
