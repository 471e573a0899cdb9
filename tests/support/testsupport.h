#pragma once

#include <QSqlDatabase>
#include <QString>

namespace TestSupport {

// A fresh database with the program's schema in a temporary file, opened as the
// program's connection. dir must outlive the use of the database.
QSqlDatabase createDatabase(const QString &dir);

// The schema text from the source tree.
QString schemaSql();

} // namespace TestSupport
