#pragma once

#include <QLocale>
#include <clocale>

// Puts a German locale, which writes a decimal comma, in force for both the C library and Qt while
// it lives, and the C locale back afterwards. Machines without de_DE.UTF-8 leave it inactive.
class DecimalCommaLocale
{
public:
    static constexpr const char *missingReason
        = "The de_DE.UTF-8 locale is not installed here; generate it to test the decimal comma.";

    DecimalCommaLocale()
        : m_active(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
    {
        if (m_active)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~DecimalCommaLocale()
    {
        if (!m_active)
            return;
        QLocale::setDefault(m_previous);
        std::setlocale(LC_ALL, "C");
    }
    DecimalCommaLocale(const DecimalCommaLocale &) = delete;
    DecimalCommaLocale &operator=(const DecimalCommaLocale &) = delete;

    bool isActive() const { return m_active; }

private:
    QLocale m_previous;
    bool m_active;
};
