#pragma once
// What the data layer tells the user's side, which alone shows things: that a command now waits for rows or
// totals still to come (a busy cursor), and that work done between the user's events failed where no caller is
// there to catch the error (a message). The kit installs the two hooks; with none installed nothing shows.
#include "db/error.h"
#include <functional>

namespace db::feedback {

struct Hooks {
    std::function<void(bool waiting)> wait; // true as a wait begins, false as it ends
    std::function<void(const Error &)> failed;
};
void install(Hooks hooks);

// While one lives, a command waits.
class Waiting {
public:
    Waiting();
    ~Waiting();
    Waiting(const Waiting &) = delete;
    Waiting &operator=(const Waiting &) = delete;
};

// A failure met between the user's events.
void failed(const Error &error);

} // namespace db::feedback
