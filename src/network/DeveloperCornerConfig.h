#pragma once

#include "core/OneShotTimer.h"

#include <QSslConfiguration>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

// Where the developer corner's requests go and what they trust. The program is built with these
// addresses; tests point them at a server of their own.
struct DeveloperCornerConfig
{
    // The origin of the maker's web service; HTTPS, or plain HTTP on this machine only. Empty: every
    // request fails at once.
    QUrl baseUrl;
    // The payment provider's hosted-checkout host; checkout pages elsewhere are never opened.
    QString checkoutHost;
    // None: the system's own trust, read when the first request goes out; reading it loads and seeds the
    // TLS library, which a start that sends nothing has no use for.
    std::optional<QSslConfiguration> tls;
    // Makes the timer that ends each request at its deadline; none: a Qt timer.
    std::function<std::unique_ptr<OneShotTimer>()> deadlineTimers;
    // The maker's website, opened from the story; empty: there is nothing to open.
    QUrl websiteUrl;

    // The addresses this program was built with (empty unless the build set them).
    static DeveloperCornerConfig builtIn();
};
