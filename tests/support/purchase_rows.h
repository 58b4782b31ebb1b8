#pragma once
// Purchases stored straight into `tavrelkol` for the tests of the purchases pages.
#include <QVariantMap>

class TestEnv;

// Inserts one row with the given columns (the others stay null) and returns its id.
qint64 addPurchase(TestEnv &env, const QVariantMap &columns);
