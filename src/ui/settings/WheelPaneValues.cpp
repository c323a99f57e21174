#include "ui/settings/WheelPaneValues.h"

#include "core/StringTable.h"
#include "ui/settings/MinuteStepper.h"
#include "ui/settings/SettingsSession.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

QString strengthText(double strength, AppLanguage language)
{
    // Only a hand-edited file holds a strength outside the slider's range; it must still draw.
    const double shown
        = std::isnan(strength) ? 0.0 : std::clamp(strength, 0.0, WheelPaneValues::discountStrengthMaximum());
    const auto percent = static_cast<long long>(std::trunc(shown * 100));
    return StringTable::text(QStringLiteral("%lld%"), language)
        .replace(QLatin1String("%lld"), QString::number(percent));
}

// A total beyond the largest double, as mantissa and power of ten in the locale's form: "2.0E308".
QString scientificText(long double total, const QLocale &locale)
{
    const int exponent = int(std::floor(std::log10(total)));
    const auto mantissa = double(total / std::pow(10.0L, exponent));
    return locale.toString(mantissa, 'f', 1) + locale.exponential() + QString::number(exponent);
}

QString weightTotalText(const QList<WheelItem> &items, const QLocale &locale, AppLanguage language)
{
    // Added in the wider type: weights near the top of the double range may add up beyond it, and the
    // total must still read as a number, not "inf".
    long double total = 0;
    for (const WheelItem &item : items) {
        if (std::isfinite(item.weight) && item.weight >= 0)
            total += item.weight;
    }
    const QString number = total <= std::numeric_limits<double>::max()
        ? locale.toString(double(total), 'f', 1)
        : scientificText(total, locale);
    return localized(language, QStringLiteral("总权重 ") + number + QStringLiteral(" · 概率自动换算"),
        QStringLiteral("Total Weight ") + number + QStringLiteral(" · Auto-calculated"));
}

bool sameNumber(double left, double right)
{
    return std::memcmp(&left, &right, sizeof left) == 0;
}

} // namespace

WheelPaneValues::WheelPaneValues(QObject *parent)
    : QObject(parent)
{
    // The application hears of a change of the system's locale; the pane's own objects do not.
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

bool WheelPaneValues::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LocaleChange)
        refresh();
    return QObject::eventFilter(watched, event);
}

void WheelPaneValues::setSession(SettingsSession *session)
{
    if (session == m_session)
        return;
    if (m_session)
        disconnect(m_session, nullptr, this, nullptr);
    m_session = session;
    if (m_session)
        connect(m_session, &SettingsSession::draftChanged, this, &WheelPaneValues::refresh);
    emit sessionChanged();
    refresh();
}

void WheelPaneValues::setLocale(LocaleSource locale)
{
    m_locale = std::move(locale);
    refresh();
}

WheelPaneValues::Shown WheelPaneValues::make() const
{
    if (!m_session)
        return {};
    const AppPreferences &draft = m_session->draft();
    return { draft.recentDiscountStrength, strengthText(draft.recentDiscountStrength, draft.language),
        int(std::clamp<qint64>(draft.recentWindow, INT_MIN, INT_MAX)),
        StringTable::counted(QStringLiteral("%n 项"), draft.recentWindow, draft.language),
        weightTotalText(draft.items, m_locale(), draft.language) };
}

void WheelPaneValues::refresh()
{
    const Shown next = make();
    const bool recencyChanges = !sameNumber(next.discountStrength, m_shown.discountStrength)
        || next.discountStrengthText != m_shown.discountStrengthText
        || next.recentWindow != m_shown.recentWindow || next.recentWindowText != m_shown.recentWindowText;
    const bool summaryChanges = next.weightSummaryText != m_shown.weightSummaryText;
    m_shown = next;
    if (recencyChanges)
        emit recencyChanged();
    if (summaryChanges)
        emit weightSummaryTextChanged();
}

void WheelPaneValues::setDiscountStrength(double strength)
{
    if (!m_session || std::isnan(strength))
        return;
    AppPreferences draft = m_session->draft();
    draft.recentDiscountStrength = std::clamp(strength, 0.0, discountStrengthMaximum());
    m_session->setDraft(draft);
}

void WheelPaneValues::setRecentWindow(int window)
{
    if (!m_session)
        return;
    AppPreferences draft = m_session->draft();
    draft.recentWindow = std::clamp(window, recentWindowMinimum(), recentWindowMaximum());
    m_session->setDraft(draft);
}

void WheelPaneValues::stepRecentWindow(int direction)
{
    if (!m_session)
        return;
    AppPreferences draft = m_session->draft();
    // The minute steppers' rule, over the window's range.
    draft.recentWindow = MinuteStepper { recentWindowMinimum(), recentWindowMaximum() }.stepped(
        draft.recentWindow, direction);
    m_session->setDraft(draft);
}
