// The 1K recipe window over 100,000 recipes: time from the menu command to the window
// shown, time per row move with recalculation over 1,000 moves, and peak memory.
// Run by hand from the build folder: QT_QPA_PLATFORM=offscreen ./bench_recipe_window
#include "app/tfmain.h"
#include "data/database.h"
#include "platform/dataset.h"
#include "platform/numbertext.h"
#include "recipes/tfrezeptur.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

static long peakKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

static bool makeDatabase(const QString &path, const QString &schemaFile, int rows)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-create"));
    db.setDatabaseName(path);
    if (!db.open())
        return false;
    Database::createSchema(db, Database::readTextFile(schemaFile));
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO T_Farben VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    static const char *const starts[] = {"Ä", "Ö", "Ü", "A", "o", "U", "Z", "e", "HKS ", "RAL "};
    for (int i = 0; i < rows; ++i) {
        const int k = int((quint64(i) * 2654435761u) % 1000003);
        q.addBindValue(QStringLiteral("%1Rezeptur %2").arg(QString::fromUtf8(starts[k % 10])).arg(k));
        q.addBindValue(QStringLiteral("Beschreibung der Rezeptur %1 für Kunststoff").arg(i));
        for (int c = 1; c <= 6; ++c) {
            q.addBindValue(c <= 4 ? QVariant(QStringLiteral("0%1").arg(10 * c + k % 9)) : QVariant());
            q.addBindValue(c <= 4 ? QVariant(12.5 + c * 5.0 + (k % 7)) : QVariant());
        }
        q.addBindValue(100.0);
        q.addBindValue(i % 5 == 0 ? QVariant(QStringLiteral("Nur für Innenanwendung")) : QVariant());
        q.addBindValue(QStringLiteral("1K"));
        if (!q.exec())
            return false;
    }
    db.commit();
    db.close();
    return true;
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    NumberText::setDecimalSeparator(QLatin1Char(','));
    const QString schema = QFile::exists(QStringLiteral("../data/schema.sql")) ? QStringLiteral("../data/schema.sql")
                                                                               : QStringLiteral("data/schema.sql");
    QTemporaryDir program, home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    const int rows = 100000;
    {
        if (!makeDatabase(program.filePath(QStringLiteral("Velmora.db")), schema, rows)) {
            std::fprintf(stderr, "cannot build the benchmark database (run from the build folder)\n");
            return 1;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-create"));
    TFMain::setProgramFolder(program.path());
    TFMain main;
    main.MengeStartwert = 1000;
    main.show();
    QCoreApplication::processEvents();
    const long before = peakKiB();

    QElapsedTimer t;
    t.start();
    main.findChild<QAction *>(QStringLiteral("Rezeptur1K1"))->trigger();
    auto *w = qobject_cast<TFRezeptur *>(main.mdiArea()->activeSubWindow()->widget());
    QCoreApplication::processEvents(); // first paint
    const double shownMs = t.nsecsElapsed() / 1e6;

    const int moves = 1000;
    t.restart();
    for (int i = 0; i < moves; ++i) {
        w->ADOQuery1->next();
        QCoreApplication::processEvents();
    }
    const double perMoveMs = t.nsecsElapsed() / 1e6 / moves;

    std::printf("recipes: %d (window lists %d)\n", rows, w->ADOQuery1->recordCount());
    std::printf("menu command to window shown: %.1f ms\n", shownMs);
    std::printf("row move with recalculation: %.3f ms (mean of %d)\n", perMoveMs, moves);
    std::printf("peak memory: %.1f MiB (before opening the window: %.1f MiB)\n", peakKiB() / 1024.0,
                before / 1024.0);
    return 0;
}
