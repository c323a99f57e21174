#include "app/AlertSink.h"

#include "core/StringTable.h"

#include <QFileInfo>

QString logErrorText(const Status &failed, const QString &logPath, AppLanguage language)
{
    return StringTable::text(failed.error(), language).arg(QFileInfo(logPath).fileName());
}
