#pragma once
// Invoices stored straight into `chek` for the tests of the invoice pages.
#include <QVariantMap>

class TestEnv;

// Inserts one row with the given columns (the others stay null) and returns its id.
qint64 addInvoice(TestEnv &env, const QVariantMap &columns);
