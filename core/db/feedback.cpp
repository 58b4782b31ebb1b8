#include "db/feedback.h"

namespace db::feedback {

namespace {

Hooks &hooks()
{
    static Hooks installed;
    return installed;
}

} // namespace

void install(Hooks given)
{
    hooks() = std::move(given);
}

Waiting::Waiting()
{
    if (hooks().wait)
        hooks().wait(true);
}

Waiting::~Waiting()
{
    if (hooks().wait)
        hooks().wait(false);
}

void failed(const Error &error)
{
    if (hooks().failed)
        hooks().failed(error);
}

} // namespace db::feedback
