#pragma once

#include "core/AppLanguage.h"
#include "core/FeedbackLetter.h"
#include "network/DeveloperCornerError.h"
#include "ui/developer-corner/DeveloperCornerSection.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <variant>

class AppController;

// The developer corner's state and rules, made afresh for each presentation of its sheet: the selected
// section, the letter with its attachments, the donation amount, the two requests in flight and the
// sheet's own alert. A request outlives the sheet that started it: a checkout's reply then changes
// nothing, and a letter's result shows in the program's alert, a failed letter kept for the next corner.
class DeveloperCornerController : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("app/AppController.h")
    Q_PROPERTY(AppController *controller READ controller WRITE setController NOTIFY controllerChanged FINAL)
    Q_PROPERTY(QString section READ sectionName WRITE selectSection NOTIFY sectionChanged FINAL)
    Q_PROPERTY(QStringList sections READ sectionNames CONSTANT FINAL)
    Q_PROPERTY(QStringList sectionSymbols READ sectionSymbols CONSTANT FINAL)
    Q_PROPERTY(QString email READ email WRITE setEmail NOTIFY emailChanged FINAL)
    Q_PROPERTY(QString message READ message WRITE setMessage NOTIFY messageChanged FINAL)
    // One map per attachment: "id", "name" and "hasPreview".
    Q_PROPERTY(QVariantList images READ imageEntries NOTIFY imagesChanged FINAL)
    Q_PROPERTY(bool canAddImages READ canAddImages NOTIFY imagesChanged FINAL)
    Q_PROPERTY(bool sending READ sending NOTIFY sendingChanged FINAL)
    Q_PROPERTY(bool sent READ sent NOTIFY sentChanged FINAL)
    Q_PROPERTY(QString amount READ amount WRITE setAmount NOTIFY amountChanged FINAL)
    Q_PROPERTY(bool creatingCheckout READ creatingCheckout NOTIFY creatingCheckoutChanged FINAL)
    Q_PROPERTY(QString alertTitle READ alertTitle NOTIFY alertChanged FINAL)
    Q_PROPERTY(QString alertMessage READ alertMessage NOTIFY alertChanged FINAL)
    Q_PROPERTY(bool showingAlert READ showingAlert WRITE setShowingAlert NOTIFY alertChanged FINAL)
    // Texts that follow the interface language.
    Q_PROPERTY(QStringList sectionTitles READ sectionTitles NOTIFY languageChanged FINAL)
    Q_PROPERTY(QString currencyPrefix READ currencyPrefix NOTIFY languageChanged FINAL)
    // The amount field's name, with its currency, which the view shows only as a sign before it.
    Q_PROPERTY(QString amountLabel READ amountLabel NOTIFY languageChanged FINAL)
    Q_PROPERTY(QStringList storyParagraphs READ storyParagraphs NOTIFY languageChanged FINAL)
    Q_PROPERTY(bool canVisitWebsite READ canVisitWebsite NOTIFY controllerChanged FINAL)

public:
    static constexpr int maximumImages = 3;
    static constexpr qint64 maximumImageBytes = 5 * 1024 * 1024;
    // Attachments are shown at this size; their previews are decoded to cover it.
    static constexpr int tileWidth = 94;
    static constexpr int tileHeight = 68;

    explicit DeveloperCornerController(QObject *parent = nullptr);
    ~DeveloperCornerController() override;

    AppController *controller() const;
    void setController(AppController *controller);

    DeveloperCornerSection section() const { return m_section; }
    QString sectionName() const { return rawValue(m_section); }
    // An unknown name selects nothing.
    void selectSection(const QString &name);
    static QStringList sectionNames();
    static QStringList sectionSymbols();
    QStringList sectionTitles() const;

    // The letter.
    const QString &email() const { return m_email; }
    void setEmail(const QString &email);
    const QString &message() const { return m_message; }
    void setMessage(const QString &message);
    const QList<FeedbackImage> &images() const { return m_images; }
    QVariantList imageEntries() const;
    bool canAddImages() const { return m_images.size() < maximumImages; }
    bool sending() const { return m_sending; }
    bool sent() const { return m_sent; }
    // The open-file dialog for images; the chosen files are added as addImageFiles() adds them.
    Q_INVOKABLE void chooseImages();
    // Attaches the first files that still fit, in order; unreadable ones are skipped, oversized ones
    // raise the alert. A skipped file does not give its place to a later one.
    Q_INVOKABLE void addImageFiles(const QStringList &paths);
    Q_INVOKABLE void removeImage(const QString &id);
    Q_INVOKABLE void sendFeedback();

    // The support section.
    const QString &amount() const { return m_amount; }
    void setAmount(const QString &amount);
    bool creatingCheckout() const { return m_creatingCheckout; }
    QString currencyPrefix() const;
    QString amountLabel() const;
    Q_INVOKABLE void beginDonation();

    // The story.
    QStringList storyParagraphs() const;
    bool canVisitWebsite() const;
    Q_INVOKABLE void visitWebsite();

    // The sheet's alert.
    const QString &alertTitle() const { return m_alertTitle; }
    const QString &alertMessage() const { return m_alertMessage; }
    bool showingAlert() const { return m_showingAlert; }
    void setShowingAlert(bool showing);

    // The decoded preview of an attachment of any open corner; null when there is none.
    static QImage preview(const QString &id);

signals:
    void controllerChanged();
    void sectionChanged();
    void emailChanged();
    void messageChanged();
    void imagesChanged();
    void sendingChanged();
    void sentChanged();
    void amountChanged();
    void creatingCheckoutChanged();
    void alertChanged();
    void languageChanged();

private:
    QString text(const QString &chinese, const QString &english) const;
    AppLanguage language() const;
    // What a failed request tells the user; a letter too large is told to lose images only when it has
    // some.
    static QString failureMessage(
        const DeveloperCornerError &error, AppLanguage language, bool withImages = false);
    static QString letterFailureTitle(const DeveloperCornerError &error, AppLanguage language);
    // Fills an empty form with the letter kept after its corner closed, if there is one.
    void takeUnsentLetter();
    // The result of a letter whose corner closed while it was on its way.
    static void reportOrphanedLetter(
        AppController &controller, FeedbackLetter letter, const std::optional<DeveloperCornerError> &failure);
    void raiseAlert(const QString &title, const QString &message);
    // The attachment made from a file; none when the file is skipped (the alert is raised for one
    // too large).
    std::optional<FeedbackImage> attachment(const QString &path);
    void setImages(QList<FeedbackImage> images);
    void finishSending(const std::optional<DeveloperCornerError> &failure, bool withImages);
    void finishCheckout(const std::variant<QUrl, DeveloperCornerError> &outcome);

    QPointer<AppController> m_controller;
    DeveloperCornerSection m_section = DeveloperCornerSection::letter;
    QString m_email;
    QString m_message;
    QList<FeedbackImage> m_images;
    bool m_sending = false;
    bool m_sent = false;
    QString m_amount;
    bool m_creatingCheckout = false;
    QString m_alertTitle;
    QString m_alertMessage;
    bool m_showingAlert = false;
};
