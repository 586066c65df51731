#pragma once

#include <QString>

#include <functional>
#include <type_traits>
#include <utility>

/// The one error boundary of the program. No exception may leave a Qt slot or event handler (Qt
/// calls that undefined behaviour), so every command, button and menu action runs through it:
/// `RosterError` and `std::exception` are shown as the default error display shows them, `AbortOp`
/// ends the action without a message, and the program goes on.
namespace errorboundary {

/// Runs `action`; an exception it throws is shown (or dropped silently for AbortOp). True when
/// the action ran to its end.
bool runGuarded(const std::function<void()>& action);

/// Runs a step whose failure the caller's rule ignores. The failure is not shown, but its text
/// still goes to qWarning, prefixed with `where`. True when the step ran to its end.
bool ignoreErrors(const char* where, const std::function<void()>& step);

/// Wraps a slot for connect(): the result takes whatever arguments the signal sends, passes them
/// on when `action` accepts them (else calls it without), and runs it through runGuarded.
template <typename Action> auto guarded(Action action)
{
    return [action = std::move(action)](auto&&... args) {
        runGuarded([&] {
            if constexpr (std::is_invocable_v<const Action&, decltype(args)...>) {
                action(std::forward<decltype(args)>(args)...);
            } else {
                action();
            }
        });
    };
}

/// The same for a member function: `guarded(this, &Window::saveClick)`.
template <typename Object, typename Method> auto guarded(Object* object, Method method)
{
    return guarded([object, method](auto&&... args) -> decltype(std::invoke(method, object, args...)) {
        return std::invoke(method, object, std::forward<decltype(args)>(args)...);
    });
}

} // namespace errorboundary

using errorboundary::guarded;
using errorboundary::ignoreErrors;
using errorboundary::runGuarded;
