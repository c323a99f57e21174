#pragma once

#include "ControllerHarness.h"
#include "core/Uuid.h"
#include "core/WheelItem.h"
#include "ui/settings/SettingsSession.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QUrl>

// Records and files for the tests of the settings sheet and of saving its record.
namespace SettingsFixtures {

// As the header's settings button opens the sheet, with the session its view would make; the controller
// keeps it, so that a test may still read it after the sheet has closed.
inline SettingsSession &open(AppController &controller)
{
    controller.openSettings();
    return *new SettingsSession(controller, &controller);
}

// Local file addresses, as a file manager drops them.
inline QList<QUrl> urlsOf(const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    return urls;
}

// Runs the imports a drop on the sheet's list left for later.
inline void runDeferredImports(QObject &model)
{
    for (int round = 0; round < 40; ++round)
        QCoreApplication::sendPostedEvents(&model, QEvent::MetaCall);
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
