#pragma once
// Every event handler runs through guarded(): an uncaught database error (or any std::exception) is shown
// by the general error report and ends that action only; the program goes on. A refusal (ui/refusal.h) is
// shown as a plain message and its field takes the focus.
//
// Qt gives an exception that leaves an event handler nowhere safe to go, so there is no catch-all further
// out: every handler of a form is connected with connectGuarded (or runs its body in guarded()), never with
// a bare connect().
#include <QObject>
#include <functional>
#include <type_traits>
#include <utility>

namespace ui {

// Runs the action; returns false when it ended in an error that was reported.
bool guarded(const std::function<void()> &action);

namespace detail {

// Calls the slot with the signal's arguments when it takes them, else with none.
template <typename Slot, typename Receiver, typename... Args>
void callSlot(Slot &slot, Receiver *receiver, Args &&...args)
{
    if constexpr (std::is_member_function_pointer_v<Slot>) {
        if constexpr (std::is_invocable_v<Slot &, Receiver *, Args...>)
            std::invoke(slot, receiver, std::forward<Args>(args)...);
        else {
            static_assert(std::is_invocable_v<Slot &, Receiver *>,
                          "the handler takes neither the signal's arguments nor none");
            std::invoke(slot, receiver);
        }
    } else {
        if constexpr (std::is_invocable_v<Slot &, Args...>)
            std::invoke(slot, std::forward<Args>(args)...);
        else {
            static_assert(std::is_invocable_v<Slot &>, "the handler takes neither the signal's arguments nor none");
            std::invoke(slot);
        }
    }
}

} // namespace detail

// connect() whose slot runs through guarded(). The slot is a member function of the receiver or a
// callable (the receiver is then its context: the connection ends with it); either takes the signal's
// arguments or none.
template <typename Sender, typename Signal, typename Receiver, typename Slot>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, Receiver *receiver, Slot slot)
{
    return QObject::connect(sender, signal, receiver, [receiver, slot](auto &&...args) mutable {
        guarded([&] { detail::callSlot(slot, receiver, std::forward<decltype(args)>(args)...); });
    });
}

} // namespace ui
