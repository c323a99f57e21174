#pragma once

#include "ControllerHarness.h"
#include "SettingsSession.h"
#include "models/Uuid.h"
#include "models/WheelItem.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// Records and files for the tests of the settings sheet and of saving its record.
namespace SettingsFixtures {

// As the header's settings button opens the sheet.
inline SettingsSession &open(AppController &controller)
{
    controller.openSettings();
    return *controller.settingsSession();
}

// Lets the deferred deletions of a closed sheet happen.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// One wheel item per weight, each with a fresh id.
inline QList<WheelItem> itemsWithWeights(const QList<double> &weights)
{
    QList<WheelItem> items;
    for (qsizetype i = 0; i < weights.size(); ++i)
        items.append({ QUuid::createUuid(), QStringLiteral("Item %1").arg(i + 1), weights[i], 1,
            QStringLiteral("star") });
    return items;
}

inline QList<double> weightsOf(const QList<WheelItem> &items)
{
    QList<double> weights;
    for (const WheelItem &item : items)
        weights.append(item.weight);
    return weights;
}

// A copy as an import leaves it: Media/<kind>/<import folder>/<name>.
inline QString importedFile(const ControllerHarness &harness, const QString &kind, const QString &name)
{
    const QString path = harness.file(
        QStringLiteral("Media/%1/%2/%3").arg(kind, Uuid::lowerText(QUuid::createUuid()), name));
    return writeFileBytes(path, "media") ? path : QString();
}

} // namespace SettingsFixtures
