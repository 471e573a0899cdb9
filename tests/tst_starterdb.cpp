#include "data/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// The starter database the build makes, and the tool that makes it.
class TestStarterDb : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static QString makedb() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("makedb")); }

    static int count(const QString &sql)
    {
        QSqlQuery q(Database::connection());
        if (!q.exec(sql) || !q.next())
            return -1;
        return q.value(0).toInt();
    }

    void writeFile(const QString &path, const QByteArray &content)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

private slots:
    void initTestCase()
    {
        // Work on a copy: opening sets the journal mode, which must not touch the build's file.
        QVERIFY2(QFile::exists(QStringLiteral("Velmora.db")), "Velmora.db is not in the working directory");
        const QString copy = m_dir.filePath(QStringLiteral("Velmora.db"));
        QVERIFY(QFile::copy(QStringLiteral("Velmora.db"), copy));
        Database::open(copy);
    }

    void cleanupTestCase() { Database::close(); }

    void holdsEnoughData()
    {
        QVERIFY(count(QStringLiteral("select count(*) from T_Farben where Farbtyp = '1K'")) >= 40);
        QVERIFY(count(QStringLiteral("select count(*) from T_Farben where Farbtyp = '2K'")) >= 40);
        QCOMPARE(count(QStringLiteral("select count(*) from T_Farben where Farbtyp not in ('1K', '2K')")), 0);
        QVERIFY(count(QStringLiteral("select count(*) from T_Farbverbrauch")) >= 15);
        QCOMPARE(count(QStringLiteral("select count(*) from T_FarbenEigen")), 0);
    }

    void namesAreKeys()
    {
        // Imports and look-ups go by name (without regard to case): no two may share one.
        QCOMPARE(count(QStringLiteral("select count(*) from (select 1 from T_Farben group by Rezeptname "
                                      "having count(*) > 1)")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from (select 1 from T_Farbverbrauch group by Siebgewebe "
                                      "having count(*) > 1)")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from T_Farben where coalesce(Rezeptname, '') = '' "
                                      "or coalesce(Beschreibung, '') = ''")),
                 0);
        QSqlQuery q(Database::connection());
        q.prepare(QStringLiteral("select count(*) from T_Farben where Rezeptname in (?, ?, ?)"));
        q.addBindValue(QStringLiteral("Müller's Hausrot"));
        q.addBindValue(QStringLiteral("Ätzgrün"));
        q.addBindValue(QStringLiteral("Öko-Blau"));
        QVERIFY(q.exec() && q.next());
        QCOMPARE(q.value(0).toInt(), 3);
    }

    void sharesAddUpToTotal()
    {
        QSqlQuery q(Database::connection());
        QVERIFY(q.exec(QStringLiteral(
            "select Rezeptname, \"Anteil gesamt\", \"Farbe-1\", \"Anteil-1\", \"Farbe-2\", \"Anteil-2\", "
            "\"Farbe-3\", \"Anteil-3\", \"Farbe-4\", \"Anteil-4\", \"Farbe-5\", \"Anteil-5\", "
            "\"Farbe-6\", \"Anteil-6\" from T_Farben")));
        int rows = 0;
        while (q.next()) {
            ++rows;
            const QString name = q.value(0).toString();
            const double total = q.value(1).toDouble();
            QVERIFY2(total > 0, qPrintable(name));
            double sum = 0;
            int components = 0;
            double previous = total;
            for (int i = 0; i < 6; ++i) {
                const QString colour = q.value(2 + 2 * i).toString();
                const double share = q.value(3 + 2 * i).toDouble();
                if (colour.isEmpty()) {
                    QVERIFY2(share == 0, qPrintable(name));
                    continue;
                }
                ++components;
                // The import stores components in descending order of share.
                QVERIFY2(share > 0 && share <= previous, qPrintable(name));
                previous = share;
                sum += share;
            }
            QVERIFY2(components >= 2 && components <= 5, qPrintable(name));
            QVERIFY2(std::fabs(sum - total) <= 1e-9 * total,
                     qPrintable(QStringLiteral("%1: %2 against %3").arg(name).arg(sum).arg(total)));
        }
        QVERIFY(rows >= 80);
    }

    void consumptionRowsArePlausible()
    {
        // Litres for the reference area: wet film (µm = cm³/m²) × area ÷ 1000, so between
        // 10 and 100 cm³ per m² for the meshes a print shop uses.
        QSqlQuery q(Database::connection());
        QVERIFY(q.exec(QStringLiteral("select Siebgewebe, \"Druckfläche\", Farbverbrauch from T_Farbverbrauch")));
        while (q.next()) {
            const QString mesh = q.value(0).toString();
            QVERIFY2(!q.value(1).isNull() && !q.value(2).isNull(), qPrintable(mesh));
            const double perSquareMetre = q.value(2).toDouble() * 1000 / q.value(1).toDouble();
            QVERIFY2(perSquareMetre >= 10 && perSquareMetre <= 100, qPrintable(mesh));
        }
    }

    void makedbRefusesBadDataAndKeepsTheOldFile()
    {
        QTemporaryDir data;
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/data/schema.sql"), data.filePath("schema.sql")));
        writeFile(data.filePath("farbverbrauch.csv"), "Siebgewebe;Druckfläche;Farbverbrauch\n77-55 Y;10;0,22\n");
        const QString out = data.filePath("out.db");

        QProcess ok;
        ok.start(makedb(), {data.path(), out});
        QVERIFY(ok.waitForFinished());
        QCOMPARE(ok.exitCode(), 0);
        QVERIFY(QFile::exists(out));
        const QByteArray good = [&] {
            QFile f(out);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        writeFile(data.filePath("rezepturen.csv"), "Kopf\nGut;010;100;;;;;;;;;100;1K;Gelb;\nSchlecht;010;hundert;\n");
        QProcess bad;
        bad.start(makedb(), {data.path(), out});
        QVERIFY(bad.waitForFinished());
        QVERIFY(bad.exitCode() != 0);
        const QString message = QString::fromUtf8(bad.readAllStandardError());
        QVERIFY2(message.contains(QStringLiteral("rezepturen.csv:3:")) && message.contains(QStringLiteral("'hundert'")),
                 qPrintable(message));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), good);
        QVERIFY(!QFile::exists(out + QStringLiteral(".tmp")));
    }
};

QTEST_GUILESS_MAIN(TestStarterDb)
#include "tst_starterdb.moc"
