#pragma once

#include <QString>
#include <QStringView>
#include <QUuid>
#include <optional>

// UUID texts as stored: 36 characters in 8-4-4-4-12 groups, either case on reading, no braces.
namespace Uuid {

std::optional<QUuid> parse(QStringView text);

// The form written to JSON documents: upper case, no braces.
QString upperText(const QUuid &id);

// The form of log event identifiers: lower case, no braces.
QString lowerText(const QUuid &id);

// A fresh random identifier as a lower-case event identifier.
QString newEventID();

} // namespace Uuid
