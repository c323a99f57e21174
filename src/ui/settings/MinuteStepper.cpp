#include "ui/settings/MinuteStepper.h"

#include "core/StringTable.h"

#include <algorithm>

QString MinuteStepper::label(qint64 minutes, AppLanguage language)
{
    return StringTable::counted(QStringLiteral("%n 分钟"), minutes, language);
}

qint64 MinuteStepper::stepped(qint64 minutes, int direction) const
{
    // Compared before adding, so that no stored value can overflow.
    if (direction > 0)
        return minutes >= maximum ? maximum : std::max(minutes + 1, minimum);
    return minutes <= minimum ? minimum : std::min(minutes - 1, maximum);
}
