#pragma once

#include "core/Result.h"

#include <QByteArrayView>
#include <QString>

// What must hold for any bytes a user's data files may contain. Each check feeds the input to the
// data layer and returns the first broken promise; a crash or a sanitizer report is a failure too.
// The fuzzers run these on generated inputs, and a regression test replays the inputs that once
// failed.
namespace FuzzInvariants {

// The same fixed time zone for every run, one with daylight-saving gaps and overlaps, so that a
// failure reproduces anywhere.
void useFixedTimeZone();

// The codec against a plain reference, and its encoder against its decoder.
Status csvCodec(QByteArrayView input);

// The input as either log file inside `folder`: start-up migration, every reader, an update and an
// append. A file that is not UTF-8 is never rewritten.
Status csvLogs(QByteArrayView input, const QString &folder);

// The input as "preferences.json" in the application folder below `folder`.
Status preferences(QByteArrayView input, const QString &folder);

// The input as "active-focus-session.json" and as "recent-history.json" below `folder`.
Status stateFiles(QByteArrayView input, const QString &folder);

// The input, read as UTF-8 and as raw UTF-16, as a palette colour text.
Status colorHex(QByteArrayView input);

} // namespace FuzzInvariants
