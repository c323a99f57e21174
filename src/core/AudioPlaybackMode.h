#pragma once

#include "core/AppLanguage.h"

enum class AudioPlaybackMode { sequential, shuffle };

template<> struct RawValues<AudioPlaybackMode>
{
    static constexpr std::array texts { "sequential", "shuffle" };
};

QString title(AudioPlaybackMode mode, AppLanguage language);
