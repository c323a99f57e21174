#pragma once

#include <QString>
#include <QUrl>

// The developer corner's two rules: which e-mail addresses a letter may carry, and which checkout
// addresses may be opened in the browser.
namespace DeveloperCornerPolicy {

// One "@" with something before it, and a domain that holds a dot and does not end with one; blanks
// around the text are ignored. Nothing else is checked.
bool isValidEmail(const QString &email);

// HTTPS, and a host that is the checkout host itself or any subdomain of it. An empty checkout host
// trusts nothing.
bool isTrustedStripeCheckoutURL(const QUrl &address, const QString &checkoutHost);

} // namespace DeveloperCornerPolicy
