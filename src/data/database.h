#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringView>

// The one SQLite connection of the program and what comes with it.
namespace Database {

// Name of the program's connection in QSqlDatabase's registry.
QString connectionName();

// Opens path as the program's connection (replacing an open one). The file must exist and
// be a Velmora database; otherwise an AppError naming the file is raised and nothing is
// written to it. Registers the GERMAN collation and sets WAL and synchronous=NORMAL.
QSqlDatabase open(const QString &path, const QString &name = connectionName());

// Closes and removes a connection.
void close(const QString &name = connectionName());

// The program's connection (invalid when none is open).
QSqlDatabase connection(const QString &name = connectionName());

// Creates the tables of schemaSql (statements separated by ";" at line ends) on db.
void createSchema(QSqlDatabase &db, const QString &schemaSql);

// Reads a text file as UTF-8; raises AppError when it cannot be read.
QString readTextFile(const QString &path);

// Registers the collation "GERMAN" on db: case-insensitive, umlauts sorted with their
// base letter (Ä with A), ß as ss. Used only in ORDER BY, never in the schema.
void registerGermanCollation(QSqlDatabase &db);

// The comparison behind the GERMAN collation.
int germanCompare(QStringView a, QStringView b);

// Runs sql (no result rows) and raises AppError with the driver's text on failure.
void exec(QSqlDatabase &db, const QString &sql);

} // namespace Database
