#pragma once

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace TestSupport {

// A fresh database with the program's schema in a temporary file, opened as the
// program's connection. dir must outlive the use of the database.
QSqlDatabase createDatabase(const QString &dir);

// Creates the file path with the program's schema and hands a connection to it to fill
// (for fixture rows); the connection is closed and removed afterwards.
void createDatabaseFile(const QString &path, const std::function<void(QSqlDatabase &)> &fill = {});

// The schema text from the source tree.
QString schemaSql();

} // namespace TestSupport
