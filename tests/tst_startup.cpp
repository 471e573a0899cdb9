#include "app/tfmain.h"
#include "data/database.h"
#include "platform/dialogs.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// Start-up: data folder, first copy of the database, later runs, and the failures
// after which the main window must still open.
class TestStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_home = nullptr;
    QTemporaryDir *m_program = nullptr;

    QString dataFolder() const { return m_home->filePath(QStringLiteral("Velmora")); }

    // A database file with one recipe named marker.
    static void makeDatabase(const QString &path, const QString &marker)
    {
        TestSupport::createDatabaseFile(path, [&](QSqlDatabase &db) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("insert into T_Farben (Rezeptname, Farbtyp) values (?, '1K')"));
            q.addBindValue(marker);
            QVERIFY(q.exec());
        });
    }

    static QString firstRecipe()
    {
        QSqlQuery q(Database::connection());
        if (!q.exec(QStringLiteral("select Rezeptname from T_Farben")) || !q.next())
            return QString();
        return q.value(0).toString();
    }

    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        m_home = new QTemporaryDir;
        m_program = new QTemporaryDir;
        qputenv("XDG_DATA_HOME", m_home->path().toLocal8Bit());
        TFMain::setProgramFolder(m_program->path());
    }

    void cleanup()
    {
        delete m_home;
        delete m_program;
        TFMain::setProgramFolder(QString());
    }

    void firstRunCopiesDatabase()
    {
        makeDatabase(m_program->filePath(QStringLiteral("Velmora.db")), QStringLiteral("shipped"));
        ScriptedDialogs dialogs;
        TFMain w;
        QCOMPARE(dialogs.texts("error"), QStringList());
        QVERIFY(w.isConnected());
        QCOMPARE(w.DataFolder, dataFolder());
        QCOMPARE(w.IniFileName, dataFolder() + QStringLiteral("/Velmora.ini"));
        QVERIFY(QFile::exists(dataFolder() + QStringLiteral("/Velmora.db")));
        QCOMPARE(firstRecipe(), QStringLiteral("shipped"));
        QCOMPARE(w.MengeStartwert, 0);
        QVERIFY(w.ImportFileRezeptur.isEmpty());
        // No temporary file is left beside the copy (SQLite's own -wal and -shm aside).
        QStringList files = QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden);
        files.removeAll(QStringLiteral("Velmora.db-wal"));
        files.removeAll(QStringLiteral("Velmora.db-shm"));
        QCOMPARE(files, QStringList{QStringLiteral("Velmora.db")});
    }

    void dataHomeIsCreatedWithItsParents()
    {
        // A fresh account may have no data home at all yet.
        const QString home = m_home->filePath(QStringLiteral("fresh/.local/share"));
        qputenv("XDG_DATA_HOME", home.toLocal8Bit());
        makeDatabase(m_program->filePath(QStringLiteral("Velmora.db")), QStringLiteral("shipped"));
        ScriptedDialogs dialogs;
        TFMain w;
        QCOMPARE(dialogs.texts("error"), QStringList());
        QVERIFY(QFile::exists(home + QStringLiteral("/Velmora/Velmora.db")));
    }

    void laterRunKeepsExistingDatabase()
    {
        QDir().mkpath(dataFolder());
        makeDatabase(dataFolder() + QStringLiteral("/Velmora.db"), QStringLiteral("mine"));
        makeDatabase(m_program->filePath(QStringLiteral("Velmora.db")), QStringLiteral("newer shipped"));
        ScriptedDialogs dialogs;
        TFMain w;
        QCOMPARE(dialogs.texts("error"), QStringList());
        QCOMPARE(firstRecipe(), QStringLiteral("mine"));
    }

    void missingProgramDatabase()
    {
        ScriptedDialogs dialogs;
        TFMain w;
        const QString source = QDir(m_program->path()).filePath(QStringLiteral("Velmora.db"));
        const QStringList errors = dialogs.texts("error");
        QCOMPARE(errors.size(), 1);
        const QString prefix = QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(source);
        QVERIFY2(errors.first().startsWith(prefix) && errors.first().size() > prefix.size(),
                 qPrintable(errors.first()));
        QVERIFY(!w.isConnected());
        QVERIFY(QDir(dataFolder()).exists());
        QVERIFY(!QFile::exists(dataFolder() + QStringLiteral("/Velmora.db")));
        // Still shown and usable.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.findChild<QAction *>(QStringLiteral("EigeneRezeptur1"))->trigger();
        QCOMPARE(w.mdiArea()->subWindowList().size(), 1);
    }

    void invalidDatabaseIsReportedAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other format") << QByteArray("Standard Jet DB\0\0\0 not ours", 28);
        QByteArray truncated("SQLite format 3\0", 16);
        truncated.append(QByteArray(40, '\x01'));
        QTest::newRow("truncated") << truncated;
    }

    void invalidDatabaseIsReportedAndKept()
    {
        QFETCH(QByteArray, content);
        QDir().mkpath(dataFolder());
        const QString dbFile = dataFolder() + QStringLiteral("/Velmora.db");
        {
            QFile f(dbFile);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        makeDatabase(m_program->filePath(QStringLiteral("Velmora.db")), QStringLiteral("shipped"));
        ScriptedDialogs dialogs;
        {
            TFMain w;
            const QStringList errors = dialogs.texts("error");
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors.first().contains(dbFile), qPrintable(errors.first()));
            QVERIFY(!w.isConnected());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
        }
        QCOMPARE(readAll(dbFile), content);
        QVERIFY(!QFile::exists(dbFile + QStringLiteral("-wal")));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
