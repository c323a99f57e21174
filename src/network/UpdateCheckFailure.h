#pragma once

#include "network/AppcastItem.h"

#include <QString>
#include <optional>
#include <variant>

// Why an update check found no answer, in the terms the user is told; `detail` is for the log only.
struct UpdateCheckFailure
{
    enum class Kind {
        noConnection,
        // A certificate that is not trusted, or a redirect away from HTTPS.
        insecureConnection,
        timedOut,
        // The server answered with an HTTP error `status`.
        serverError,
        notAFeed,
        // Redirected back to an address already visited.
        redirectLoop,
        // Redirected more often than any real server does, each time somewhere new.
        tooManyRedirects,
        tooLarge,
    };

    Kind kind = Kind::noConnection;
    int status = 0;
    QString detail;
};

// The newest release the feed offers for this system (none: nothing to offer), or why there is no answer.
using UpdateCheckOutcome = std::variant<std::optional<AppcastItem>, UpdateCheckFailure>;
