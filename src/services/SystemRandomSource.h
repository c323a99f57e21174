#pragma once

#include "services/RandomSource.h"

// Rolls from the process-wide, securely seeded generator.
class SystemRandomSource : public RandomSource
{
public:
    double unitRoll() override;
};
