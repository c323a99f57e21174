#include "FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzInvariants::useFixedTimeZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return stopOnFailure(FuzzInvariants::stateFiles(QByteArrayView(data, qsizetype(size)), scratchFolder()));
}
