#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// A failure carried as a value: a readable message that the controller turns into an alert.
struct Error
{
    QString message;
};

// The outcome of an operation that can fail: either a value or an Error.
template<typename T>
class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {
    }
    Result(Error error)
        : m_state(std::in_place_index<1>, std::move(error))
    {
    }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    const QString &error() const { return std::get<1>(m_state).message; }

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
        : m_error(std::move(error.message))
        , m_failed(true)
    {
    }

    static Status success() { return {}; }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    QString m_error;
    bool m_failed = false;
};
