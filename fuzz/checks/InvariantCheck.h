#pragma once

#include "core/Result.h"

#include <QDebug>
#include <QString>

// Returns a failure naming the broken condition, with the values that show how it broke.
#define EXPECT_OR_FAIL(condition, details)                                                                   \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            QString failure;                                                                                 \
            QDebug(&failure).nospace()                                                                       \
                << __FILE__ << ":" << __LINE__ << ": " << #condition << "; " << details;                     \
            return Error { failure };                                                                        \
        }                                                                                                    \
    } while (false)

// Passes a failure of a nested check up unchanged.
#define RETURN_IF_FAILED(status)                                                                             \
    do {                                                                                                     \
        if (Status nested = (status); !nested)                                                               \
            return nested;                                                                                   \
    } while (false)
