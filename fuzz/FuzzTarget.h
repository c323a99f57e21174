#pragma once

#include "FuzzInvariants.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// What every fuzz target does with a broken invariant: say which, then stop as a crash would, so
// that libFuzzer keeps the input.
inline int stopOnFailure(const Status &status)
{
    if (!status) {
        std::fprintf(stderr, "Broken invariant: %s\n", qUtf8Printable(status.error()));
        std::abort();
    }
    return 0;
}

// One scratch folder per fuzzing process, removed when it ends normally.
inline QString scratchFolder()
{
    static const QTemporaryDir folder;
    return folder.path();
}
