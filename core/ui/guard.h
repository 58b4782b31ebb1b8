#pragma once
// Every event handler runs through guarded(): an uncaught database error (or any std::exception) is shown
// by the general error report and ends that action only; the program goes on.
#include <QObject>
#include <functional>

namespace ui {

// Runs the action; returns false when it ended in an error that was reported.
bool guarded(const std::function<void()> &action);

// connect() whose slot runs through guarded().
template <typename Sender, typename Signal, typename Receiver, typename Slot>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, Receiver *receiver, Slot slot)
{
    return QObject::connect(sender, signal, receiver, [receiver, slot](auto &&...args) {
        guarded([&] {
            if constexpr (std::is_member_function_pointer_v<Slot>)
                (receiver->*slot)();
            else
                slot(args...);
        });
    });
}

} // namespace ui
