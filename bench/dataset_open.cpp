// Opens a data set over 100,000 recipes sorted with the GERMAN collation and walks 1,000
// rows; prints the times and the peak resident memory. Run by hand.
#include "data/database.h"
#include "platform/dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

// The schema: the first argument, or found from the source or the build folder.
static QString schemaText(const QStringList &args)
{
    QStringList candidates = args.mid(1, 1);
    candidates << QStringLiteral("data/schema.sql") << QStringLiteral("../data/schema.sql");
    for (const QString &candidate : candidates)
        if (QFile::exists(candidate))
            return Database::readTextFile(candidate);
    return {};
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.db"));
    const QString schema = schemaText(app.arguments());
    if (schema.isEmpty()) {
        std::fprintf(stderr, "schema.sql not found; pass its path or run from the source or build folder\n");
        return 1;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-create"));
        db.setDatabaseName(path);
        db.open();
        Database::createSchema(db, schema);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-create"));
    QSqlDatabase db = Database::open(path);

    const int rows = 100000;
    QElapsedTimer t;
    t.start();
    {
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO T_Farben VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        static const char *umlauts[] = {"Ä", "Ö", "Ü", "A", "O", "U", "ß", "e"};
        for (int i = 0; i < rows; ++i) {
            const int k = int((quint64(i) * 2654435761u) % 1000003);
            q.addBindValue(QStringLiteral("%1rz %2").arg(QString::fromUtf8(umlauts[k % 8])).arg(k));
            q.addBindValue(QStringLiteral("Beschreibung der Rezeptur %1 für Kunststoff").arg(i));
            for (int c = 1; c <= 6; ++c) {
                q.addBindValue(c <= 4 ? QStringLiteral("B%1-%2").arg(c).arg(k % 97) : QString());
                q.addBindValue(c <= 4 ? QVariant(25.0) : QVariant());
            }
            q.addBindValue(100.0);
            q.addBindValue(i % 10 == 0 ? QStringLiteral("Bemerkung %1").arg(i) : QString());
            q.addBindValue(i % 2 ? QStringLiteral("1K") : QStringLiteral("2K"));
            q.exec();
        }
        db.commit();
    }
    const qint64 fillMs = t.restart();

    DataSet ds;
    ds.setStatement({QStringLiteral("select * from T_Farben"), QStringLiteral("order by Rezeptname COLLATE GERMAN")});
    ds.open(db);
    const qint64 openMs = t.restart();

    double sum = 0;
    for (int i = 0; i < 1000 && !ds.isEof(); ++i) {
        sum += ds.fieldByName(QStringLiteral("Anteil gesamt")).asDouble();
        (void)ds.fieldByName(QStringLiteral("Rezeptname")).asString();
        ds.next();
    }
    const qint64 walkUs = t.nsecsElapsed() / 1000;
    t.restart();
    ds.refresh();
    const qint64 refreshMs = t.elapsed();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("rows: %d\nfill: %lld ms\nopen (ORDER BY ... COLLATE GERMAN): %lld ms\n"
                "walk 1000 rows: %lld us (checksum %.0f)\nrefresh: %lld ms\npeak RSS: %ld MiB\n",
                ds.recordCount(), (long long)fillMs, (long long)openMs, (long long)walkUs, sum,
                (long long)refreshMs, usage.ru_maxrss / 1024);
    ds.close();
    db = QSqlDatabase();
    Database::close();
    return 0;
}
