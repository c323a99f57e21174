#include "FuzzInvariants.h"

#include <QtGlobal>
#include <ctime>

namespace FuzzInvariants {

void useFixedTimeZone()
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

} // namespace FuzzInvariants
