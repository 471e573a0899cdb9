#include "data/database.h"
#include "platform/apperror.h"
#include "support/testsupport.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The connection's German ordering and values that must simply work.
class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void germanCompare_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        QTest::newRow("case-insensitive") << "apfel" << "Birne" << -1;
        QTest::newRow("umlaut with base") << "Ätzgrün" << "Azur" << -1;
        QTest::newRow("umlaut before next letter") << "Öko" << "Pink" << -1;
        QTest::newRow("umlaut after earlier letter") << "Über" << "Tief" << 1;
        QTest::newRow("sharp s as ss") << "Straße" << "Strasze" << -1;
        QTest::newRow("accent") << "Café" << "Cafg" << -1;
        QTest::newRow("prefix first") << "Rot" << "Rotbraun" << -1;
        QTest::newRow("digits") << "HKS 13" << "HKS 14" << -1;
        QTest::newRow("same folded: stable") << "Apfel" << "apfel" << -1;
        QTest::newRow("equal") << "Blau" << "Blau" << 0;
    }

    void germanCompare()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        QCOMPARE(Database::germanCompare(a, b), order);
        QCOMPARE(Database::germanCompare(b, a), -order);
    }

    void orderByUsesTheCollationAndValuesAreBound()
    {
        QTemporaryDir dir;
        QSqlDatabase db = TestSupport::createDatabase(dir.path());
        const QStringList names{"Zinnober", "Ätzgrün", "azur", "Müller's Rot", "Öko-Blau", "Ocker", "Straße"};
        for (const QString &name : names) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("insert into T_Farben (Rezeptname, Farbtyp) values (?, '1K')"));
            q.addBindValue(name);
            QVERIFY(q.exec());
        }
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("select Rezeptname from T_Farben order by Rezeptname COLLATE GERMAN")));
        QStringList sorted;
        while (q.next())
            sorted << q.value(0).toString();
        QCOMPARE(sorted, (QStringList{"Ätzgrün", "azur", "Müller's Rot", "Ocker", "Öko-Blau", "Straße", "Zinnober"}));

        QSqlQuery find(db);
        find.prepare(QStringLiteral("select count(*) from T_Farben where Rezeptname = ?"));
        find.addBindValue(QStringLiteral("müller's rot"));
        QVERIFY(find.exec() && find.next());
        QCOMPARE(find.value(0).toInt(), 1); // NOCASE in the schema
        Database::close();
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
