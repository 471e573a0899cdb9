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

void createDatabaseFile(const QString &path, const std::function<void(QSqlDatabase &)> &fill)
{
    const QString name = QStringLiteral("testsupport-create");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        Database::createSchema(db, schemaSql());
        if (fill)
            fill(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QSqlDatabase createDatabase(const QString &dir)
{
    const QString path = QDir(dir).filePath(QStringLiteral("test.db"));
    createDatabaseFile(path);
    return Database::open(path);
}

} // namespace TestSupport
