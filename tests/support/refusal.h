#pragma once
// The database error a piece of work ends with (one of no text when it ends without one), or just its text.
#include "db/error.h"
#include <QString>

template <typename Work> db::Error thrown(Work work)
{
    try {
        work();
    } catch (const db::Error &e) {
        return e;
    }
    return db::Error(QString());
}

template <typename Work> QString refusal(Work work)
{
    return thrown(work).text();
}
