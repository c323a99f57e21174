#pragma once

#include "core/RawValueEnum.h"

// The bottom corner of the window that holds the focus console.
enum class FocusConsoleDock { leading, trailing };

template<> struct RawValues<FocusConsoleDock>
{
    static constexpr std::array texts { "leading", "trailing" };
};
