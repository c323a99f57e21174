#pragma once

// The source of uniform random rolls, injected so that random choices can be tested.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A uniform number in [0, 1).
    virtual double unitRoll() = 0;
};
