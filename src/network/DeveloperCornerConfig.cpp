#include "network/DeveloperCornerConfig.h"

DeveloperCornerConfig DeveloperCornerConfig::builtIn()
{
    DeveloperCornerConfig config;
    config.baseUrl = QUrl(QStringLiteral(QUORVANE_DEVELOPER_SERVICE_URL), QUrl::StrictMode);
    config.checkoutHost = QStringLiteral(QUORVANE_CHECKOUT_HOST);
    config.websiteUrl = QUrl(QStringLiteral(QUORVANE_WEBSITE_URL), QUrl::StrictMode);
    return config;
}
