#pragma once
// The unread mark of the main menu's messages command: "پيام*" while the signed-in user has unread
// messages. The sign-in only ever sets it; closing the messages page sets or clears it.
namespace messages {

enum class UnreadMark {
    SetOnly,     // the sign-in: marks when there are unread messages, never unmarks
    SetAndClear, // the messages page closing: the mark follows the count
};

// Counts the signed-in user's unread messages (on the data module's ADOQ_timer) and marks the command.
void RefreshUnreadMark(UnreadMark how);

} // namespace messages
