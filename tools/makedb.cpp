// Builds the starter database: makedb <data folder> <output file>.
#include "data/database.h"
#include "platform/apperror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedb <data folder> <output file>\n");
        return 2;
    }
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString tmp = out + QStringLiteral(".tmp");
    QFile::remove(tmp);
    try {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("makedb"));
            db.setDatabaseName(tmp);
            if (!db.open())
                throw AppError(QStringLiteral("cannot create %1").arg(tmp));
            Database::createSchema(db, Database::readTextFile(QDir(dataDir).filePath(QStringLiteral("schema.sql"))));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("makedb"));
    } catch (const AppError &e) {
        std::fprintf(stderr, "makedb: %s\n", e.what());
        return 1;
    }
    QFile::remove(out);
    if (!QFile::rename(tmp, out)) {
        std::fprintf(stderr, "makedb: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
