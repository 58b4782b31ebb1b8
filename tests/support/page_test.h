#pragma once
// The fixture of the page tests, and what they share: each test function starts on a fresh TestEnv signed in
// as the seeded administrator. A test class that needs more set-up declares its own init() and calls this one.
// Page tests open pages by the main window's commands, type into forms and read today's date and year.
#include "dm_u.h"
#include "forms.h"
#include "main_u.h"
#include "persian/Dates.h"
#include "support/form_input.h"
#include "support/page_io.h"
#include "support/testenv.h"
#include "ui_main_u.h"
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
