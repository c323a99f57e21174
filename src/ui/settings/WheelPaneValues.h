#pragma once

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class SettingsSession;

// The wheel pane's values outside the item rows, ready to show in the open sheet's language: the recency
// controls and the weight total. The controls write into the working copy only when the user moves them,
// so a value outside their range from a hand-edited file stays as it is but still draws.
class WheelPaneValues : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE("ui/settings/SettingsSession.h")
    Q_PROPERTY(SettingsSession *session READ session WRITE setSession NOTIFY sessionChanged FINAL)
    Q_PROPERTY(double discountStrength READ discountStrength NOTIFY recencyChanged FINAL)
    Q_PROPERTY(double discountStrengthMaximum READ discountStrengthMaximum CONSTANT FINAL)
    Q_PROPERTY(QString discountStrengthText READ discountStrengthText NOTIFY recencyChanged FINAL)
    Q_PROPERTY(int recentWindow READ recentWindow NOTIFY recencyChanged FINAL)
    Q_PROPERTY(QString recentWindowText READ recentWindowText NOTIFY recencyChanged FINAL)
    Q_PROPERTY(int recentWindowMinimum READ recentWindowMinimum CONSTANT FINAL)
    Q_PROPERTY(int recentWindowMaximum READ recentWindowMaximum CONSTANT FINAL)
    Q_PROPERTY(bool canDecreaseRecentWindow READ canDecreaseRecentWindow NOTIFY recencyChanged FINAL)
    Q_PROPERTY(bool canIncreaseRecentWindow READ canIncreaseRecentWindow NOTIFY recencyChanged FINAL)
    Q_PROPERTY(QString weightSummaryText READ weightSummaryText NOTIFY weightSummaryTextChanged FINAL)

public:
    // Where the user's number format is read, each time the total is made.
    using LocaleSource = std::function<QLocale()>;

    explicit WheelPaneValues(QObject *parent = nullptr);

    SettingsSession *session() const { return m_session; }
    void setSession(SettingsSession *session);
    // The total follows the user's own number format, the one number of the pane that does, and is made
    // again when the system's locale changes; QLocale::system unless another source is given here.
    void setLocale(LocaleSource locale);

    double discountStrength() const { return m_shown.discountStrength; }
    static double discountStrengthMaximum() { return 0.95; }
    // The strength as a whole percent, cut toward zero, within the slider's range.
    QString discountStrengthText() const { return m_shown.discountStrengthText; }
    int recentWindow() const { return m_shown.recentWindow; }
    static int recentWindowMinimum() { return 1; }
    static int recentWindowMaximum() { return 10; }
    QString recentWindowText() const { return m_shown.recentWindowText; }
    // The stepper's − and + stop at the ends of its range.
    bool canDecreaseRecentWindow() const { return m_shown.recentWindow > recentWindowMinimum(); }
    bool canIncreaseRecentWindow() const { return m_shown.recentWindow < recentWindowMaximum(); }
    // The sum of the weights that are 0 or more, with one decimal.
    QString weightSummaryText() const { return m_shown.weightSummaryText; }

    Q_INVOKABLE void setDiscountStrength(double strength);
    Q_INVOKABLE void setRecentWindow(int window);
    // The stepper's − (a negative direction) or +: one item, kept within its range.
    Q_INVOKABLE void stepRecentWindow(int direction);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void sessionChanged();
    void recencyChanged();
    void weightSummaryTextChanged();

private:
    struct Shown
    {
        double discountStrength = 0;
        QString discountStrengthText;
        int recentWindow = 0;
        QString recentWindowText;
        QString weightSummaryText;
    };

    Shown make() const;
    // Announces only what changed, so a weight typed in a row moves the total and nothing else.
    void refresh();

    QPointer<SettingsSession> m_session;
    LocaleSource m_locale = [] { return QLocale::system(); };
    Shown m_shown;
};
