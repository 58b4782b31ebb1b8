#pragma once
// The text of the database error a piece of work ends with, or empty when it ends without one.
#include "db/error.h"
#include <QString>

template <typename Work> QString refusal(Work work)
{
    try {
        work();
    } catch (const db::Error &e) {
        return e.text();
    }
    return {};
}
