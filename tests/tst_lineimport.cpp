#include "data/database.h"
#include "import/consumptionlineimporter.h"
#include "import/importfile.h"
#include "import/recipelineimporter.h"
#include "platform/apperror.h"
#include "platform/numbertext.h"
#include "support/testsupport.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(LineResult)

namespace {

// A whole table as text, one row per entry in rowid order: columns in the table's order
// joined by "|", null as "-", so that an empty text ("") and an empty column differ.
QStringList dump(const QString &table)
{
    QSqlQuery q(Database::connection());
    if (!q.exec(QStringLiteral("select * from %1 order by rowid").arg(table)))
        return {QStringLiteral("query failed")};
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i) {
            const QVariant v = q.value(i);
            if (v.isNull())
                cells << QStringLiteral("-");
            else if (v.typeId() == QMetaType::Double)
                cells << QString::number(v.toDouble(), 'g', 15);
            else
                cells << v.toString();
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

void execSql(const QString &sql)
{
    QSqlQuery q(Database::connection());
    QVERIFY2(q.exec(sql), qPrintable(sql));
}

// A stored recipe with all six pairs, a remark and a type, so that an overwrite shows
// which columns it empties.
const QString kStoredRecipe =
    QStringLiteral("Alt|Altbeschreibung|A|10|B|20|C|30|D|15|E|15|F|10|100|Altbemerkung|2K");
const QString kStoredRecipeSql = QStringLiteral(
    "insert into T_Farben values ('Alt', 'Altbeschreibung', 'A', 10, 'B', 20, 'C', 30, 'D', 15, "
    "'E', 15, 'F', 10, 100, 'Altbemerkung', '2K')");

} // namespace

class TestLineImport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        TestSupport::createDatabase(m_dir->path());
        NumberText::setDecimalSeparator(QLatin1Char(','));
    }

    void cleanup()
    {
        Database::close();
        delete m_dir;
        m_dir = nullptr;
        NumberText::setDecimalSeparator(QLatin1Char('.'));
    }

    void splitFields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("three") << "a;b;c" << QStringList{"a", "b", "c"};
        QTest::newRow("adjacent") << "a;;b" << QStringList{"a", "", "b"};
        QTest::newRow("lone semicolon") << ";" << QStringList{"", ""};
        QTest::newRow("trailing") << "abc;" << QStringList{"abc", ""};
        QTest::newRow("no delimiter") << "abc" << QStringList{"abc"};
        QTest::newRow("empty line") << "" << QStringList{};
        QTest::newRow("blank line") << " " << QStringList{" "};
        QTest::newRow("not trimmed, quotes kept") << " \"a\" ; b" << QStringList{" \"a\" ", " b"};
    }

    void splitFields()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(ImportText::splitFields(line), fields);
    }

    void trimField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("blanks and tabs") << " \tabc \t" << "abc";
        QTest::newRow("control characters") << QString("\x01\x1f" "a b" "\x7f") << QString("a b\x7f");
        QTest::newRow("inner blanks kept") << "  a  b  " << "a  b";
        QTest::newRow("no-break space kept") << QString(QChar(0xA0)) + "a" << QString(QChar(0xA0)) + "a";
        QTest::newRow("all blank") << " \t " << "";
    }

    void trimField()
    {
        QFETCH(QString, field);
        QFETCH(QString, trimmed);
        QCOMPARE(ImportText::trimField(field), trimmed);
    }

    void fileContent_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no line at all") << QByteArray() << QStringList{};
        QTest::newRow("header only") << QByteArray("Name;Farbe\r\n") << QStringList{};
        QTest::newRow("header looking like data") << QByteArray("A;B;1;C\nD;E;2;F") << QStringList{"D;E;2;F"};
        QTest::newRow("CR LF, final break adds no line") << QByteArray("h\r\na\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF and CR mixed") << QByteArray("h\na\rb\r\n\nc") << QStringList{"a", "b", "", "c"};
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBFh\n\xC3\x84tzgr\xC3\xBCn") << QStringList{"Ätzgrün"};
        QTest::newRow("UTF-8 without mark") << QByteArray("h\n\xC3\x96ko") << QStringList{"Öko"};
        QTest::newRow("Windows-1252") << QByteArray("h\n\xC4tzgr\xFCn \x80") << QStringList{"Ätzgrün €"};
        QTest::newRow("UTF-16 LE mark")
            << QByteArray("\xFF\xFEh\0\n\0\xC4\0;\0", 10) << QStringList{"Ä;"};
        QTest::newRow("UTF-16 BE mark")
            << QByteArray("\xFE\xFF\0h\0\r\0\n\0\xD6", 10) << QStringList{"Ö"};
    }

    void fileContent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const ImportFile file = ImportFile::fromBytes(bytes);
        QCOMPARE(file.lines(), lines);
        QCOMPARE(file.lineCount(), lines.size());
    }

    void recipeLine_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("line");
        QTest::addColumn<LineResult>("result");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("table");

        const auto added = LineResult::Added;
        const auto overwritten = LineResult::Overwritten;
        const auto skipped = LineResult::Skipped;

        QTest::newRow("15 fields, sorted by share")
            << "," << false << "Neu;X;25;Y;75;;;;;;;100;1K;Beschreibung;" << added << ""
            << QStringList{"Neu|Beschreibung|Y|75|X|25|-|-|-|-|-|-|-|-|100|-|1K"};
        QTest::newRow("fields after the 15th ignored")
            << "," << false << "Neu;X;1;;;;;;;;;1;2K;B;R;zuviel;mehr" << added << ""
            << QStringList{"Neu|B|X|1|-|-|-|-|-|-|-|-|-|-|1|R|2K"};
        QTest::newRow("3 fields skipped") << "," << false << "Neu;X;25" << skipped << "" << QStringList{};
        QTest::newRow("4 fields with trailing semicolon")
            << "," << false << "Neu;X;25;" << added << ""
            << QStringList{"Neu|-|X|25|-|-|-|-|-|-|-|-|-|-|-|-|-"};
        QTest::newRow("empty line skipped") << "," << false << "" << skipped << "" << QStringList{};
        QTest::newRow("empty name skipped") << "," << false << ";X;25;Y;75" << skipped << "" << QStringList{};
        QTest::newRow("blank name skipped") << "," << false << " \t;X;25;Y;75" << skipped << "" << QStringList{};
        QTest::newRow("fields trimmed")
            << "," << false << " Neu\t; X ;\t25 ;;;;;;;;; 25 ; 1K ; B ; R " << added << ""
            << QStringList{"Neu|B|X|25|-|-|-|-|-|-|-|-|-|-|25|R|1K"};
        QTest::newRow("apostrophe and quotes in a name")
            << "," << false << "Müller's \"Hausrot\";040;100;;;;;;;;;100;1K" << added << ""
            << QStringList{"Müller's \"Hausrot\"|-|040|100|-|-|-|-|-|-|-|-|-|-|100|-|1K"};
        QTest::newRow("ties keep the pass's order")
            << "," << false << "T;P;10;Q;10;R;30;;;;;50;1K" << added << ""
            << QStringList{"T|-|R|30|Q|10|P|10|-|-|-|-|-|-|50|-|1K"};
        QTest::newRow("gap: moved empty pair becomes empty text and 0")
            << "," << false << "G;;;X;50;;;;;;;50;1K" << added << ""
            << QStringList{"G|-|X|50||0|-|-|-|-|-|-|-|-|50|-|1K"};
        QTest::newRow("decimal comma, separator comma")
            << "," << false << "D;X;12,5;Y;87,5;;;;;;;1E2;1K" << added << ""
            << QStringList{"D|-|Y|87.5|X|12.5|-|-|-|-|-|-|-|-|100|-|1K"};
        QTest::newRow("decimal comma, separator point")
            << "." << false << "D;X;12,5;Y;87,5;;;;;;;1E2;1K" << added << ""
            << QStringList{"D|-|Y|87.5|X|12.5|-|-|-|-|-|-|-|-|100|-|1K"};
        QTest::newRow("decimal point, separator point")
            << "." << false << "D;X;12.5;" << added << ""
            << QStringList{"D|-|X|12.5|-|-|-|-|-|-|-|-|-|-|-|-|-"};
        QTest::newRow("decimal point, separator comma")
            << "," << false << "D;X;12.5;" << skipped << "'12.5' ist kein gültiger Gleitkommawert"
            << QStringList{};
        QTest::newRow("letter in a share")
            << "," << false << "D;X;x;" << skipped << "'x' ist kein gültiger Gleitkommawert" << QStringList{};
        QTest::newRow("error names the converted text")
            << "." << false << "D;X;1,2,3;" << skipped << "'1.2.3' ist kein gültiger Gleitkommawert"
            << QStringList{};
        QTest::newRow("bad total after good shares")
            << "," << false << "D;X;50;Y;50;;;;;;;hundert;1K" << skipped
            << "'hundert' ist kein gültiger Gleitkommawert" << QStringList{};

        QTest::newRow("overwrite with 4 fields empties the rest")
            << "," << true << "Alt;X;25;Y" << overwritten << ""
            << QStringList{"Alt|-|X|25|Y|-|-|-|-|-|-|-|-|-|-|-|-"};
        QTest::newRow("overwrite empties pair 6")
            << "," << true << "Alt;X;25;Y;75;;;;;;;100;1K;Beschreibung;" << overwritten << ""
            << QStringList{"Alt|Beschreibung|Y|75|X|25|-|-|-|-|-|-|-|-|100|-|1K"};
        QTest::newRow("overwrite finds the name in any case, keeps the stored name")
            << "," << true << "ALT;X;1;" << overwritten << ""
            << QStringList{"Alt|-|X|1|-|-|-|-|-|-|-|-|-|-|-|-|-"};
        QTest::newRow("overwrite finds a name written with blanks")
            << "," << true << "  Alt ;X;1;" << overwritten << ""
            << QStringList{"Alt|-|X|1|-|-|-|-|-|-|-|-|-|-|-|-|-"};
        QTest::newRow("other name added after the stored one")
            << "," << true << "Neu;X;1;" << added << ""
            << QStringList{kStoredRecipe, "Neu|-|X|1|-|-|-|-|-|-|-|-|-|-|-|-|-"};
        QTest::newRow("bad number leaves the stored recipe whole")
            << "," << true << "Alt;X;1;Y;zwei" << skipped << "'zwei' ist kein gültiger Gleitkommawert"
            << QStringList{kStoredRecipe};
        QTest::newRow("short line leaves the stored recipe whole")
            << "," << true << "Alt;X;1" << skipped << "" << QStringList{kStoredRecipe};
    }

    void recipeLine()
    {
        QFETCH(QString, separator);
        QFETCH(bool, stored);
        QFETCH(QString, line);
        QFETCH(LineResult, result);
        QFETCH(QString, error);
        QFETCH(QStringList, table);

        NumberText::setDecimalSeparator(separator.at(0));
        if (stored)
            execSql(kStoredRecipeSql);
        RecipeLineImporter importer(Database::connection());
        try {
            QCOMPARE(importer.importLine(line), result);
            QVERIFY2(error.isEmpty(), "the line should have failed");
        } catch (const AppError &e) {
            QCOMPARE(e.text(), error);
        }
        QCOMPARE(dump(QStringLiteral("T_Farben")), table);
    }

    void recipeSameNameTwice()
    {
        // Among several stored recipes of one name only the first is overwritten; a name
        // repeated in a file overwrites what its first line wrote.
        execSql(kStoredRecipeSql);
        execSql(kStoredRecipeSql);
        RecipeLineImporter importer(Database::connection());
        QCOMPARE(importer.importLine("Alt;X;1;"), LineResult::Overwritten);
        QCOMPARE(importer.importLine("Neu;X;1;"), LineResult::Added);
        QCOMPARE(importer.importLine("Neu;Y;2;"), LineResult::Overwritten);
        QCOMPARE(dump(QStringLiteral("T_Farben")),
                 (QStringList{"Alt|-|X|1|-|-|-|-|-|-|-|-|-|-|-|-|-", kStoredRecipe,
                              "Neu|-|Y|2|-|-|-|-|-|-|-|-|-|-|-|-|-"}));
    }

    void consumptionLine_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("line");
        QTest::addColumn<LineResult>("result");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("table");

        const auto added = LineResult::Added;
        const auto overwritten = LineResult::Overwritten;
        const auto skipped = LineResult::Skipped;
        const QString storedRow = QStringLiteral("77-55 Y|10|0.22");

        QTest::newRow("new row") << "," << false << "90-48 Y;10;0,19" << added << ""
                                 << QStringList{"90-48 Y|10|0.19"};
        QTest::newRow("fields after the 3rd ignored")
            << "," << false << " 90-48 Y ;10;0,19;x;y" << added << "" << QStringList{"90-48 Y|10|0.19"};
        QTest::newRow("2 fields skipped") << "," << false << "90-48 Y;10" << skipped << "" << QStringList{};
        QTest::newRow("trailing semicolon, new row")
            << "," << false << "90-48 Y;10;" << added << "" << QStringList{"90-48 Y|10|-"};
        QTest::newRow("empty mesh skipped") << "," << false << ";10;1" << skipped << "" << QStringList{};
        QTest::newRow("blank mesh skipped") << "," << false << "  ;10;1" << skipped << "" << QStringList{};
        QTest::newRow("empty line skipped") << "," << false << "" << skipped << "" << QStringList{};
        QTest::newRow("apostrophe in a mesh")
            << "," << false << "Sieb 'fein';1;0,1" << added << "" << QStringList{"Sieb 'fein'|1|0.1"};
        QTest::newRow("1,5 under comma") << "," << false << "M;1,5;1" << added << "" << QStringList{"M|1.5|1"};
        QTest::newRow("1,5 under point") << "." << false << "M;1,5;1" << added << "" << QStringList{"M|1.5|1"};
        QTest::newRow("1.5 under point") << "." << false << "M;1.5;1" << added << "" << QStringList{"M|1.5|1"};
        QTest::newRow("1.5 under comma")
            << "," << false << "M;1.5;1" << skipped << "'1.5' ist kein gültiger Gleitkommawert" << QStringList{};

        QTest::newRow("overwrite, trailing semicolon empties consumption")
            << "," << true << "77-55 Y;5;" << overwritten << "" << QStringList{"77-55 Y|5|-"};
        QTest::newRow("overwrite, empty area")
            << "," << true << "77-55 y;;5" << overwritten << "" << QStringList{"77-55 Y|-|5"};
        QTest::newRow("overwrite with a bad number leaves the row whole")
            << "," << true << "77-55 Y;1;x" << skipped << "'x' ist kein gültiger Gleitkommawert"
            << QStringList{storedRow};
        QTest::newRow("other mesh added")
            << "," << true << "77-55 W;10;0,22" << added << "" << QStringList{storedRow, "77-55 W|10|0.22"};
    }

    void consumptionLine()
    {
        QFETCH(QString, separator);
        QFETCH(bool, stored);
        QFETCH(QString, line);
        QFETCH(LineResult, result);
        QFETCH(QString, error);
        QFETCH(QStringList, table);

        NumberText::setDecimalSeparator(separator.at(0));
        if (stored)
            execSql(QStringLiteral("insert into T_Farbverbrauch values ('77-55 Y', 10, 0.22)"));
        ConsumptionLineImporter importer(Database::connection());
        try {
            QCOMPARE(importer.importLine(line), result);
            QVERIFY2(error.isEmpty(), "the line should have failed");
        } catch (const AppError &e) {
            QCOMPARE(e.text(), error);
        }
        QCOMPARE(dump(QStringLiteral("T_Farbverbrauch")), table);
    }

    void consumptionOverwriteEmptiesEveryLaterColumn()
    {
        // A table with a column the file does not know: an overwrite empties it too,
        // whatever its place after the mesh.
        execSql(QStringLiteral("drop table T_Farbverbrauch"));
        execSql(QStringLiteral("create table T_Farbverbrauch (Siebgewebe TEXT COLLATE NOCASE, "
                               "Farbverbrauch REAL, Notiz TEXT, \"Druckfläche\" REAL)"));
        execSql(QStringLiteral("insert into T_Farbverbrauch values ('M', 1, 'alt', 2)"));
        ConsumptionLineImporter importer(Database::connection());
        QCOMPARE(importer.importLine("M;10;0,5"), LineResult::Overwritten);
        QCOMPARE(dump(QStringLiteral("T_Farbverbrauch")), QStringList{"M|0.5|-|10"});
    }

    void importAllFromFile()
    {
        // Windows-1252 with CR LF, a short line, an empty line, an apostrophe, and a name
        // that comes twice: the second line overwrites the first.
        const ImportFile file =
            ImportFile::read(QStringLiteral(VELMORA_SOURCE_DIR "/tests/fixtures/import/rezepturen-ansi.csv"));
        QCOMPARE(file.lineCount(), 5);
        RecipeLineImporter importer(Database::connection());
        QList<QPair<int, int>> calls;
        const int done = importAll(file, importer, [&](int number, int total) {
            calls.append({number, total});
            return true;
        });
        QCOMPARE(done, 5);
        QCOMPARE(calls, (QList<QPair<int, int>>{{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}}));
        QCOMPARE(dump(QStringLiteral("T_Farben")),
                 (QStringList{"Ätzgrün|Überarbeitet|072|60|010|40|-|-|-|-|-|-|-|-|100|€ 12 je kg|1K",
                              "Müller's Hausrot|Hausfarbe|040|66|045|34|-|-|-|-|-|-|-|-|100|-|1K"}));
    }

    void importAllStopsOnRequestAndOnError()
    {
        const ImportFile file = ImportFile::fromBytes("Siebgewebe;Fläche;Verbrauch\nA;1;1\nB;1;x\nC;1;1\n");
        {
            ConsumptionLineImporter importer(Database::connection());
            const int done = importAll(file, importer, [](int number, int) { return number < 2; });
            QCOMPARE(done, 1);
            QCOMPARE(dump(QStringLiteral("T_Farbverbrauch")), QStringList{"A|1|1"});
        }
        {
            // A failing line stops the run; lines before it stay stored.
            execSql(QStringLiteral("delete from T_Farbverbrauch"));
            ConsumptionLineImporter importer(Database::connection());
            QVERIFY_THROWS_EXCEPTION(AppError, importAll(file, importer));
            QCOMPARE(dump(QStringLiteral("T_Farbverbrauch")), QStringList{"A|1|1"});
        }
    }

    void databaseRefusalRaises()
    {
        // A write the database refuses is an error, never a line reported as done.
        execSql(QStringLiteral("create trigger refuse before insert on T_Farben when new.Rezeptname = 'Nein' "
                               "begin select raise(abort, 'abgelehnt'); end"));
        RecipeLineImporter importer(Database::connection());
        try {
            importer.importLine("Nein;X;1;");
            QFAIL("the refused line should raise");
        } catch (const AppError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("abgelehnt")), qPrintable(e.text()));
        }
        QCOMPARE(dump(QStringLiteral("T_Farben")), QStringList{});
    }

    void unreadableFile()
    {
        try {
            ImportFile::read(m_dir->filePath(QStringLiteral("fehlt.csv")));
            QFAIL("a missing file should raise");
        } catch (const AppError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("fehlt.csv")), qPrintable(e.text()));
        }
    }
};

QTEST_GUILESS_MAIN(TestLineImport)
#include "tst_lineimport.moc"
