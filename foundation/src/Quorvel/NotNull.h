#pragma once

#include <stdexcept>
#include <type_traits>
#include <utility>

namespace Quorvel {

/// A pointer-like value that is checked once, when it is made, and is never empty afterwards.
/// Services that a component cannot work without are passed this way, so a missing one fails
/// at construction with a clear message instead of as a crash on first use.
template <class T>
class NotNull {
public:
    template <class U, std::enable_if_t<std::is_convertible<U&&, T>::value &&
                                            !std::is_same<std::decay_t<U>, NotNull>::value,
                                        int> = 0>
    /// Takes `value`; throws std::logic_error "NotNull can not initialized by null" when it is
    /// null.
    NotNull(U&& value) : m_value(std::forward<U>(value)) {
        if (!m_value) {
            throw std::logic_error("NotNull can not initialized by null");
        }
    }
    template <class U, std::enable_if_t<std::is_convertible<const U&, T>::value, int> = 0>
    /// Converts from a NotNull of a compatible pointer; never null.
    NotNull(const NotNull<U>& other) : m_value(other.get()) {}
    NotNull(std::nullptr_t) = delete;
    /// Copies the pointer; the copy is not null either.
    /// @{
    NotNull(const NotNull&) = default;
    NotNull& operator=(const NotNull&) = default;
    /// @}

    /// The pointer, never null.
    const T& get() const { return m_value; }
    /// The pointer, never null.
    operator const T&() const { return m_value; }
    /// Reach the pointee.
    /// @{
    decltype(auto) operator->() const { return &*m_value; }
    decltype(auto) operator*() const { return *m_value; }
    /// @}

private:
    T m_value;
};

}  // namespace Quorvel
