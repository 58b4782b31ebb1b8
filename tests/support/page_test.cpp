#include "page_test.h"

void PageTest::init()
{
    env = std::make_unique<TestEnv>();
    env->signInAs();
}

void PageTest::cleanup()
{
    env.reset();
}
