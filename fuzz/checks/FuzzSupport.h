#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonValue>
#include <QString>

// File and document helpers shared by the checks.
namespace FuzzSupport {

QByteArray fileBytes(const QString &path);
bool writeFile(const QString &path, QByteArrayView bytes);

// The document as the storage service reads it: the top-level array, or the object (empty for
// anything else), or the parse error.
Result<QJsonValue> parsedDocument(QByteArrayView bytes);

} // namespace FuzzSupport
