#pragma once

#include "Database.h"

#include <optional>
#include <utility>
#include <variant>

// What logic that can fail returns: a value, or the error that stopped it. Logic
// never shows a message box itself; the window that called it shows the error
// (ErrorBox for the generic box, Prompt for the system's own messages).
//
//     Result<int> r = count(db);
//     if (!r) { ErrorBox::show(r.error()); return; }
//     use(*r);
template <class T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_v(std::in_place_index<0>, std::move(value)) {}
    Result(Db::Error error) : m_v(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_v); }
    T& value() & { return std::get<0>(m_v); }
    T&& value() && { return std::get<0>(std::move(m_v)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    T valueOr(T fallback) const { return ok() ? value() : std::move(fallback); }

    const Db::Error& error() const { return std::get<1>(m_v); }

private:
    std::variant<T, Db::Error> m_v;
};

// Result of logic that returns nothing but success or an error.
template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Db::Error error) : m_error(std::move(error)) {}
    static Result success() { return {}; }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Db::Error& error() const { return *m_error; }

private:
    std::optional<Db::Error> m_error;
};

using Status = Result<void>;
