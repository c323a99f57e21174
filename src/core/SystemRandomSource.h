#pragma once

#include "core/RandomSource.h"

// Rolls from the process-wide, securely seeded generator.
class SystemRandomSource : public RandomSource
{
public:
    double unitRoll() override;
};
