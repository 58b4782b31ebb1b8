#pragma once
// A fresh SQLite database file in a private temporary folder, removed with the object.
#include "db/connection.h"
#include <QString>
#include <QTemporaryDir>
#include <memory>

class TempDb {
public:
    TempDb();
    ~TempDb();

    QString folder() const { return dir_.path(); }
    QString file() const;                  // the database file (created at the first connection)
    QString connectionString() const;      // "Provider=SQLite;Data Source=<file>"
    db::Connection &connection();          // opened at the first call

private:
    QTemporaryDir dir_;
    std::unique_ptr<db::Connection> connection_;
};
