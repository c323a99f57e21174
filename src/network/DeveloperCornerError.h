#pragma once

#include <QString>

// Why a developer-corner request failed: the service's own refusal ("QuorvaneContact",
// "QuorvaneDonation"), or the network's or the JSON parser's error with its own description.
struct DeveloperCornerError
{
    QString domain;
    int code = 0;
    // Shown to the user as it is.
    QString description;

    friend bool operator==(const DeveloperCornerError &, const DeveloperCornerError &) = default;
};
