#include "ui/developer-corner/DeveloperCornerController.h"

#include "app/AppController.h"
#include "core/StringTable.h"
#include "network/DeveloperCornerConfig.h"
#include "network/DeveloperCornerService.h"

#include <QNetworkReply>

DeveloperCornerController::DeveloperCornerController(QObject *parent)
    : QObject(parent)
{ }

DeveloperCornerController::~DeveloperCornerController()
{
    setImages({});
}

AppController *DeveloperCornerController::controller() const
{
    return m_controller;
}

void DeveloperCornerController::setController(AppController *controller)
{
    if (m_controller == controller)
        return;
    if (m_controller)
        disconnect(m_controller, nullptr, this, nullptr);
    m_controller = controller;
    if (controller) {
        connect(controller, &AppController::preferencesChanged, this,
            &DeveloperCornerController::languageChanged);
        // A corner opened while a letter was still on its way takes it back when it fails.
        connect(controller->sheets(), &Sheets::unsentLetterKept, this,
            &DeveloperCornerController::takeUnsentLetter);
        takeUnsentLetter();
    }
    emit controllerChanged();
    emit languageChanged();
}

void DeveloperCornerController::takeUnsentLetter()
{
    // Never over a letter being written or sent.
    if (!m_controller || m_sending || !m_email.isEmpty() || !m_message.isEmpty() || !m_images.isEmpty())
        return;
    if (std::optional<FeedbackLetter> kept = m_controller->sheets()->takeUnsentLetter()) {
        setEmail(kept->email);
        setMessage(kept->message);
        setImages(std::move(kept->images));
    }
}

QString DeveloperCornerController::text(const QString &chinese, const QString &english) const
{
    return localized(language(), chinese, english);
}

AppLanguage DeveloperCornerController::language() const
{
    return m_controller ? m_controller->language() : AppLanguage::chinese;
}

QString DeveloperCornerController::failureMessage(
    const DeveloperCornerError &error, AppLanguage language, bool withImages)
{
    const auto text = [language](const QString &key) { return StringTable::text(key, language); };
    if (error == DeveloperCornerService::letterTooLarge()) {
        return withImages
            ? text(QStringLiteral("这封信和它的图片太大，服务器无法接收；请去掉一些图片后再寄。"))
            : text(QStringLiteral("这封信太大，服务器无法接收；请写短一些后再寄。"));
    }
    if (error == DeveloperCornerService::letterMayHaveArrived())
        return text(
            QStringLiteral("信已经寄出，但服务器答复之前连接就断了：它可能已经送达，再寄一次可能会重复。"));
    if (error == DeveloperCornerService::contactUnavailable())
        return text(QStringLiteral("Mirenvale 支持服务暂时不可用，请稍后再试。"));
    if (error.domain == u"QNetworkReply") {
        if (error.code == QNetworkReply::SslHandshakeFailedError)
            return text(QStringLiteral("无法与服务器建立安全连接，因此什么也没有发送。"));
        if (error.code == QNetworkReply::TimeoutError)
            return text(QStringLiteral("服务器没有及时答复，请稍后再试。"));
        return text(QStringLiteral("无法连接到服务器，请检查网络连接后稍后再试。"));
    }
    // A refused checkout reply and one that is not JSON at all are the same to the user.
    return text(QStringLiteral("安全支付暂时不可用，请稍后再试。"));
}

void DeveloperCornerController::selectSection(const QString &name)
{
    const std::optional<DeveloperCornerSection> section = fromRawValue<DeveloperCornerSection>(name);
    if (!section || *section == m_section)
        return;
    m_section = *section;
    emit sectionChanged();
}

QStringList DeveloperCornerController::sectionNames()
{
    QStringList names;
    for (DeveloperCornerSection section : allCases<DeveloperCornerSection>())
        names.append(rawValue(section));
    return names;
}

QStringList DeveloperCornerController::sectionSymbols()
{
    QStringList symbols;
    for (DeveloperCornerSection section : allCases<DeveloperCornerSection>())
        symbols.append(symbol(section));
    return symbols;
}

QStringList DeveloperCornerController::sectionTitles() const
{
    const AppLanguage language = this->language();
    QStringList titles;
    for (DeveloperCornerSection section : allCases<DeveloperCornerSection>())
        titles.append(title(section, language));
    return titles;
}

void DeveloperCornerController::setEmail(const QString &email)
{
    if (m_email == email)
        return;
    m_email = email;
    emit emailChanged();
}

void DeveloperCornerController::setMessage(const QString &message)
{
    if (m_message == message)
        return;
    m_message = message;
    emit messageChanged();
}

void DeveloperCornerController::setAmount(const QString &amount)
{
    if (m_amount == amount)
        return;
    m_amount = amount;
    emit amountChanged();
}

void DeveloperCornerController::setShowingAlert(bool showing)
{
    if (m_showingAlert == showing)
        return;
    m_showingAlert = showing;
    emit alertChanged();
}

void DeveloperCornerController::raiseAlert(const QString &title, const QString &message)
{
    m_alertTitle = title;
    m_alertMessage = message;
    m_showingAlert = true;
    emit alertChanged();
}

QString DeveloperCornerController::currencyPrefix() const
{
    return text(QStringLiteral("¥"), QStringLiteral("$"));
}

QString DeveloperCornerController::amountLabel() const
{
    return text(QStringLiteral("金额（人民币元）"), QStringLiteral("Amount in US dollars"));
}

QStringList DeveloperCornerController::storyParagraphs() const
{
    return {
        text(QStringLiteral(
                 "“柯帆”二字，柯是树的枝干，帆是远行的船：一个沉稳，一个轻快。我希望用它的人也能如此——专注时"
                 "像树一样扎下根，休息时像帆一样松开，迎一迎风。"),
            QStringLiteral(
                "The name Quorvane joins two pictures: the steady branch of a tree and the sail of a "
                "small boat. One holds still, the other moves. I hope the people who use it can do "
                "both—root down while they focus, and let the wind in when it is time to rest.")),
        text(QStringLiteral(
                 "那段时间，Mirenvale·弥谷正忙着打磨另一款更大的产品。我每天在屏幕前一坐就是十几个小时，肩颈"
                 "僵硬，眼睛发酸，却总对自己说“写完这一段就休息”。柯帆就是在那些深夜里，作为一个给自己用的小"
                 "工具，一点一点搭起来的。"),
            QStringLiteral(
                "At the time, Mirenvale was deep in work on a larger product, and I spent twelve-hour "
                "days in front of the screen with a stiff neck and tired eyes, always promising myself "
                "a rest after one more piece. Quorvane was put together on those late nights, bit by "
                "bit, as a small tool for myself.")),
        text(
            QStringLiteral(
                "我试过不少计时器。它们会准时响铃，却拦不住我随手关掉提醒、继续埋头工作。我想要的是一个会认真"
                "请我离开键盘的东西：到了休息时间就真的停下来，再用一个小转盘替我决定起身做点什么——喝水、伸"
                "展，或者看看窗外。"),
            QStringLiteral(
                "I tried many timers. They rang on time, but nothing stopped me from dismissing the "
                "reminder and carrying on. I wanted something that would earnestly ask me to step "
                "away from the keyboard: when the break comes, work really stops, and a small wheel "
                "decides what I get up to do—drink some water, stretch, or look out of the window.")),
        text(
            QStringLiteral(
                "如果你也常常忘了停下来，希望柯帆能在合适的时候轻轻拍拍你的肩。工作总是做不完的，身体却只有一"
                "副。愿你每一轮专注都有收获，每一次休息都真正放松。"),
            QStringLiteral(
                "If you also forget to stop, I hope Quorvane taps you on the shoulder at the right "
                "moment. There will always be more work; there is only one body. May every round of "
                "focus bring something good, and every break truly let you rest.")),
        // A build without the website's address has no button to it either.
        canVisitWebsite()
            ? text(QStringLiteral(
                       "柯帆不为盈利而做，它会一直免费。如果它帮到了你，欢迎在“给他买杯咖啡”里请我喝一杯"
                       "；也欢迎到 Mirenvale·弥谷 的网站看看我们的另一款产品。"),
                QStringLiteral(
                    "Quorvane is not made for profit and will stay free. If it has helped you, you are "
                    "welcome to buy me a coffee in the support section, and to visit Mirenvale's website "
                    "to try our other product."))
            : text(QStringLiteral(
                       "柯帆不为盈利而做，它会一直免费。如果它帮到了你，欢迎在“给他买杯咖啡”里请我喝一杯"
                       "；也欢迎试试 Mirenvale·弥谷 的另一款产品。"),
                QStringLiteral(
                    "Quorvane is not made for profit and will stay free. If it has helped you, you "
                    "are welcome to buy me a coffee in the support section, and to try Mirenvale's "
                    "other product.")),
    };
}

bool DeveloperCornerController::canVisitWebsite() const
{
    return m_controller && !m_controller->developerCornerConfig().websiteUrl.isEmpty();
}

void DeveloperCornerController::visitWebsite()
{
    if (canVisitWebsite())
        m_controller->workspace().openUrl(m_controller->developerCornerConfig().websiteUrl);
}
