#pragma once

#include "core/AppLanguage.h"
#include "core/Result.h"

#include <QString>
#include <functional>

// Where a concern's failures go for the user to read: a title and a message, already in the user's
// language. The controller shows them as the window's alert; a test keeps them.
using AlertSink = std::function<void(const QString &title, const QString &message)>;

// A log's failure as the user reads it: in their language, with the file's name and no path.
QString logErrorText(const Status &failed, const QString &logPath, AppLanguage language);
