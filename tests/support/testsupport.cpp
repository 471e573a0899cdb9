#include "support/testsupport.h"

#include "data/database.h"

#include <QDir>

#ifndef VELMORA_SOURCE_DIR
#error VELMORA_SOURCE_DIR must be defined
#endif

namespace TestSupport {

QString schemaSql()
{
    return Database::readTextFile(QStringLiteral(VELMORA_SOURCE_DIR "/data/schema.sql"));
}

QSqlDatabase createDatabase(const QString &dir)
{
    const QString path = QDir(dir).filePath(QStringLiteral("test.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("testsupport-create"));
        db.setDatabaseName(path);
        db.open();
        Database::createSchema(db, schemaSql());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("testsupport-create"));
    return Database::open(path);
}

} // namespace TestSupport
