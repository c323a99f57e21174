#include "network/DeveloperCornerPolicy.h"

namespace DeveloperCornerPolicy {

bool isValidEmail(const QString &email)
{
    const QStringList pieces = email.trimmed().split(u'@', Qt::KeepEmptyParts);
    if (pieces.size() != 2)
        return false;
    const QString &domain = pieces[1];
    return !pieces[0].isEmpty() && domain.contains(u'.') && !domain.endsWith(u'.');
}

bool isTrustedStripeCheckoutURL(const QUrl &address, const QString &checkoutHost)
{
    const QString trusted = checkoutHost.toLower();
    if (trusted.isEmpty() || address.scheme().toLower() != u"https")
        return false;
    const QString host = address.host().toLower();
    if (host.isEmpty())
        return false;
    return host == trusted || host.endsWith(u'.' + trusted);
}

} // namespace DeveloperCornerPolicy
