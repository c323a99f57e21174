#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <variant>

// A failure carried as a value: a readable message that the controller turns into an alert. The text may be
// a key of the string table in which %1, %2, ... stand for `arguments` (file names, the system's reasons),
// so that the alert says it whole in the user's language (StringTable::error); `message` is the key with
// the arguments in place.
struct Error
{
    Error(QString text, QStringList arguments = {})
        : message(text)
        , key(std::move(text))
        , arguments(std::move(arguments))
    {
        for (const QString &argument : std::as_const(this->arguments))
            message = message.arg(argument);
    }

    QString message;
    QString key;
    QStringList arguments;
};

// The outcome of an operation that can fail: either a value or an Error.
template<typename T> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    { }
    Result(Error error)
        : m_state(std::in_place_index<1>, std::move(error))
    { }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    const QString &error() const { return std::get<1>(m_state).message; }
    const Error &failure() const { return std::get<1>(m_state); }

    std::optional<T> toOptional() const & { return ok() ? std::optional<T>(value()) : std::nullopt; }

private:
    std::variant<T, Error> m_state;
};

// The outcome of an operation that yields nothing but can fail.
class [[nodiscard]] Status
{
public:
    Status() = default;
    Status(Error error)
        : m_error(std::move(error))
        , m_failed(true)
    { }

    static Status success() { return {}; }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error.message; }
    const Error &failure() const { return m_error; }

private:
    Error m_error { QString() };
    bool m_failed = false;
};
