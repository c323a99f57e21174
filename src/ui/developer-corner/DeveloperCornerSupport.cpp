#include "app/AppController.h"
#include "core/DonationAmount.h"
#include "network/DeveloperCornerService.h"
#include "ui/developer-corner/DeveloperCornerController.h"

void DeveloperCornerController::beginDonation()
{
    if (!m_controller || m_creatingCheckout)
        return;
    const DonationCurrency currency = DonationAmount::currencyFor(m_controller->language());
    const std::optional<ExactDecimal> value = DonationAmount::read(m_amount);
    if (!value || *value <= ExactDecimal()) {
        raiseAlert(text(QStringLiteral("请输入金额"), QStringLiteral("Enter an Amount")),
            text(QStringLiteral("金额需要是大于 0 的数字。"),
                QStringLiteral("Enter a number greater than zero.")));
        return;
    }
    if (*value > DonationAmount::maximum(currency)) {
        raiseAlert(text(QStringLiteral("这份心意已经太多了"), QStringLiteral("That's More Than Enough")),
            text(QStringLiteral("非常感谢您的美意，但 Vibe Coding "
                                "时代，制作这样一款软件的速度已经百倍于过往，您不必捐给我那么多。"),
                QStringLiteral(
                    "Thank you sincerely, but in the age of vibe coding, software like this can be "
                    "made a hundred times faster than before. You truly don't need to give me that "
                    "much.")));
        return;
    }
    if (*value < DonationAmount::minimum(currency)) {
        raiseAlert(text(QStringLiteral("低于支付平台最低金额"), QStringLiteral("Below the Payment Minimum")),
            text(QStringLiteral("支付平台要求最低金额为 ¥5。"),
                QStringLiteral("The payment platform requires a minimum of $1.")));
        return;
    }
    m_creatingCheckout = true;
    emit creatingCheckoutChanged();
    // A checkout that ends after the sheet closed opens nothing: a payment page appearing by itself,
    // long after the user gave up on it, would be a surprise.
    m_controller->developerCornerService().createDonationCheckout(
        *value, currency, [corner = QPointer(this)](const std::variant<QUrl, DeveloperCornerError> &outcome) {
            if (corner)
                corner->finishCheckout(outcome);
        });
}

void DeveloperCornerController::finishCheckout(const std::variant<QUrl, DeveloperCornerError> &outcome)
{
    m_creatingCheckout = false;
    emit creatingCheckoutChanged();
    if (const auto *page = std::get_if<QUrl>(&outcome)) {
        if (m_controller)
            m_controller->workspace().openUrl(*page);
        return;
    }
    raiseAlert(text(QStringLiteral("暂时无法打开支付"), QStringLiteral("Could Not Open Checkout")),
        failureMessage(std::get<DeveloperCornerError>(outcome), language()));
}
