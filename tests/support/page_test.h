#pragma once
// The fixture of the page tests, and what they share: each test function starts on a fresh TestEnv signed in
// as the seeded administrator. A test class that needs more set-up declares its own init() and calls this one.
#include "dm_u.h"
#include "forms.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include <QTest>
#include <memory>

class PageTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TestEnv> env;

protected slots:
    void init();
    void cleanup();
};
