#include "platform/apperror.h"
#include "platform/inistore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(VELMORA_SOURCE_DIR "/tests/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

IniStore *storeFrom(const QByteArray &bytes)
{
    auto *store = new IniStore;
    store->parse(bytes);
    return store;
}

} // namespace

class TestIniStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTripIsByteExact_data()
    {
        QTest::addColumn<QString>("fixtureName");
        QTest::addColumn<bool>("crlf");
        QTest::addColumn<bool>("noFinalLineEnd");
        QTest::newRow("program layout") << "velmora.ini" << false << false;
        QTest::newRow("program layout, CRLF") << "velmora.ini" << true << false;
        QTest::newRow("hand-written") << "handwritten.ini" << false << false;
        QTest::newRow("hand-written, CRLF") << "handwritten.ini" << true << false;
        QTest::newRow("hand-written, no final line end") << "handwritten.ini" << false << true;
        QTest::newRow("with byte order mark") << "velmora.ini" << true << false;
    }

    void roundTripIsByteExact()
    {
        QFETCH(QString, fixtureName);
        QFETCH(bool, crlf);
        QFETCH(bool, noFinalLineEnd);
        QByteArray bytes = fixture(fixtureName);
        if (crlf)
            bytes.replace("\n", "\r\n");
        if (noFinalLineEnd)
            bytes = bytes.trimmed();
        if (QByteArray(QTest::currentDataTag()).contains("byte order"))
            bytes.prepend("\xEF\xBB\xBF");

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Velmora.ini"));
        QVERIFY(writeFile(path, bytes));
        {
            IniStore store;
            QVERIFY(store.setFileName(path));
            // Reading, and writing a value back unchanged, leave the file as it was.
            store.writeString(QStringLiteral("Test\\Sprache"), store.readString(QStringLiteral("Test\\Sprache")));
            QVERIFY(store.write());
            QCOMPARE(readFile(path), bytes);
        }
        QCOMPARE(readFile(path), bytes); // the write on destruction changes nothing either
    }

    void readsTheProgramLayout()
    {
        std::unique_ptr<IniStore> store(storeFrom(fixture(QStringLiteral("velmora.ini"))));
        QCOMPARE(store->sectionNames(),
                 QStringList({QStringLiteral("Test"), QStringLiteral("Rezeptur1K"), QStringLiteral("Rezeptur1K\\TFRezeptur")}));
        QCOMPARE(store->keyNames(QStringLiteral("Test")).size(), 14);
        QCOMPARE(store->readInteger(QStringLiteral("Test\\Menge Startwert"), -1), 1000);
        QCOMPARE(store->readInteger(QStringLiteral("Test\\Sprache"), -1), 0);
        QCOMPARE(store->readString(QStringLiteral("Test\\ImportFileRezeptur")),
                 QStringLiteral("C:\\Users\\Jörg\\Dokumente\\Rezepturen.csv"));
        QCOMPARE(store->readString(QStringLiteral("Test\\Name"), QStringLiteral("default")), QString());
        QCOMPARE(store->readBool(QStringLiteral("Test\\TestBoolean"), true), false);
        QCOMPARE(store->readString(QStringLiteral("Test\\NormPos(1920x1080)")), QStringLiteral("120,80,1034,820"));
        QCOMPARE(store->readString(QStringLiteral("Rezeptur1K\\NormPos")), QStringLiteral("22,22,784,566"));
        // The section holding a backslash is found through the last backslash of the path.
        QCOMPARE(store->readString(QStringLiteral("Rezeptur1K\\TFRezeptur\\ADOQuery1Anteil gesamt")),
                 QStringLiteral("14,10,1"));
        QCOMPARE(store->readString(QStringLiteral("Rezeptur1K\\TFRezeptur\\ADOQuery1Bemerkung")),
                 QStringLiteral("15,10,0"));
        QVERIFY(!store->valueExists(QStringLiteral("Rezeptur1K\\ADOQuery1Bemerkung")));
        QVERIFY(!store->valueExists(QStringLiteral("TFRezeptur\\ADOQuery1Bemerkung")));
    }

    void readsAHandWrittenFile()
    {
        std::unique_ptr<IniStore> store(storeFrom(fixture(QStringLiteral("handwritten.ini"))));
        QCOMPARE(store->readInteger(QStringLiteral("Version"), 0), 3); // above the first section
        QCOMPARE(store->readInteger(QStringLiteral("Test\\Menge Startwert"), 0), 250);
        QCOMPARE(store->readInteger(QStringLiteral("Rezeptur2K\\ShowCmd"), 0), 3);
        QCOMPARE(store->readString(QStringLiteral("Unbekannt\\Farbe")), QStringLiteral("Blau")); // first wins
        QCOMPARE(store->keyNames(QStringLiteral("Test")),
                 QStringList({QStringLiteral("Menge Startwert"), QStringLiteral("Sprache"), QStringLiteral("ImportFileRezeptur")}));
        QVERIFY(!store->valueExists(QStringLiteral("Test\\; default total for new recipes")));
    }

    void namesIgnoreCaseAndKeepTheirFirstSpelling()
    {
        const QByteArray original = fixture(QStringLiteral("velmora.ini"));
        std::unique_ptr<IniStore> store(storeFrom(original));
        QCOMPARE(store->readInteger(QStringLiteral("TEST\\menge STARTWERT"), -1), 1000);
        QCOMPARE(store->readString(QStringLiteral("rezeptur1k\\tfrezeptur\\adoquery1anteil GESAMT")), QStringLiteral("14,10,1"));
        QVERIFY(store->sectionExists(QStringLiteral("REZEPTUR1K\\tfrezeptur")));

        store->writeInteger(QStringLiteral("test\\MENGE startwert"), 7);
        store->writeString(QStringLiteral("REZEPTUR1K\\TFREZEPTUR\\ADOQUERY1REZEPTNAME"), QStringLiteral("0,20,1"));
        store->writeString(QStringLiteral("Test\\Änderung"), QStringLiteral("1"));
        store->writeString(QStringLiteral("TEST\\äNDERUNG"), QStringLiteral("2"));

        QByteArray expected = original;
        expected.replace("Menge Startwert=1000", "Menge Startwert=7");
        expected.replace("ADOQuery1Rezeptname=0,15,1", "ADOQuery1Rezeptname=0,20,1");
        expected.replace("TestBoolean=FALSE\n", "TestBoolean=FALSE\nÄnderung=2\n");
        QCOMPARE(store->toBytes(), expected);
    }

    void newKeysAndSectionsFollowTheFileOrder()
    {
        std::unique_ptr<IniStore> store(storeFrom(fixture(QStringLiteral("handwritten.ini"))));
        store->writeString(QStringLiteral("Test\\Neu"), QStringLiteral("x"));
        store->writeString(QStringLiteral("Unbekannt\\Farbe"), QStringLiteral("Gelb"));
        store->writeInteger(QStringLiteral("Rezeptur2K\\Flags"), 0);
        store->writeInteger(QStringLiteral("Zuletzt\\A"), 1);
        store->writeBool(QStringLiteral("Zuletzt\\B"), true);
        store->writeString(QStringLiteral("Oben"), QStringLiteral("ja"));
        QCOMPARE(QString::fromUtf8(store->toBytes()),
                 QStringLiteral("; Velmora settings, edited by hand\n"
                                "Version=3\n"
                                "Oben=ja\n"
                                "\n"
                                "[Test]\n"
                                "; default total for new recipes\n"
                                "Menge Startwert = 250\n"
                                "Sprache=1\n"
                                "\n"
                                "ImportFileRezeptur=D:\\Daten\\Rezepte.csv\n"
                                "Neu=x\n"
                                "this line has no equals sign\n"
                                "[ Rezeptur2K ]\n"
                                "ShowCmd=3\n"
                                "Flags=0\n"
                                "  \n"
                                "[Unbekannt]\n"
                                "Farbe=Gelb\n"
                                "Farbe=Rot\n"
                                "# hash comment\n"
                                "\n"
                                "\n"
                                "[Zuletzt]\n"
                                "A=1\n"
                                "B=TRUE\n"
                                "\n"));
    }

    void aNewStoreWritesTheProgramLayout()
    {
        IniStore store;
        const QString group = QStringLiteral("Test\\");
        store.writeInteger(group + QStringLiteral("FormVersion"), 0);
        store.writeInteger(group + QStringLiteral("Menge Startwert"), -5);
        store.writeString(group + QStringLiteral("Name"), QString());
        store.writeBool(group + QStringLiteral("TestBoolean"), false);
        store.writeString(QStringLiteral("Rezeptur1K\\TFRezeptur\\ADOQuery1Rezeptname"), QStringLiteral("0,15,1"));
        store.writeString(QStringLiteral("Rezeptur1K\\FormVersion"), QStringLiteral("0"));
        QCOMPARE(store.toBytes(),
                 QByteArray("[Test]\nFormVersion=0\nMenge Startwert=-5\nName=\nTestBoolean=FALSE\n\n"
                            "[Rezeptur1K\\TFRezeptur]\nADOQuery1Rezeptname=0,15,1\n\n"
                            "[Rezeptur1K]\nFormVersion=0\n\n"));
        QCOMPARE(store.readInteger(group + QStringLiteral("Menge Startwert"), 0), -5);
    }

    void integerReading_data()
    {
        QTest::addColumn<QString>("stored"); // null: key missing
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("error");
        const QString none;
        QTest::newRow("missing gives the default") << QString() << 42 << none;
        QTest::newRow("empty gives 0") << "" << 0 << none;
        QTest::newRow("blanks only give 0") << "  " << 0 << none;
        QTest::newRow("negative") << "-5" << -5 << none;
        QTest::newRow("blanks around") << " 12 " << 12 << none;
        QTest::newRow("largest") << "2147483647" << 2147483647 << none;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL) << none;
        QTest::newRow("letters") << "abc" << 0 << "''abc'' ist kein gültiger Integer-Wert";
        QTest::newRow("too large") << "2147483648" << 0 << "''2147483648'' ist kein gültiger Integer-Wert";
        QTest::newRow("decimal") << "1,5" << 0 << "''1,5'' ist kein gültiger Integer-Wert";
        QTest::newRow("trailing letters") << "12abc" << 0 << "''12abc'' ist kein gültiger Integer-Wert";
    }

    void integerReading()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QFETCH(QString, error);
        IniStore store;
        if (!stored.isNull())
            store.parse("[S]\nK=" + stored.toUtf8() + "\n");
        try {
            QCOMPARE(store.readInteger(QStringLiteral("S\\K"), 42), expected);
            QVERIFY2(error.isEmpty(), "the read should have failed");
        } catch (const AppError &e) {
            QCOMPARE(e.text(), error);
        }
    }

    void booleanReading_data()
    {
        QTest::addColumn<QString>("stored"); // null: key missing
        QTest::addColumn<bool>("def");
        QTest::addColumn<bool>("expected");
        QTest::newRow("TRUE") << "TRUE" << false << true;
        QTest::newRow("true") << "true" << false << true;
        QTest::newRow("Yes") << "Yes" << false << true;
        QTest::newRow("y") << "y" << false << true;
        QTest::newRow("FALSE") << "FALSE" << true << false;
        QTest::newRow("no") << "no" << true << false;
        QTest::newRow("N with blanks") << " N " << true << false;
        QTest::newRow("missing") << QString() << true << true;
        // Anything else is no answer at all: the caller's default stands.
        QTest::newRow("empty, default true") << "" << true << true;
        QTest::newRow("empty, default false") << "" << false << false;
        QTest::newRow("other word") << "vielleicht" << true << true;
        QTest::newRow("digit") << "1" << false << false;
    }

    void booleanReading()
    {
        QFETCH(QString, stored);
        QFETCH(bool, def);
        QFETCH(bool, expected);
        IniStore store;
        if (!stored.isNull())
            store.parse("[S]\nK=" + stored.toUtf8() + "\n");
        QCOMPARE(store.readBool(QStringLiteral("S\\K"), def), expected);
    }

    void textValues()
    {
        IniStore store;
        QCOMPARE(store.readString(QStringLiteral("S\\K"), QStringLiteral("default")), QStringLiteral("default"));
        store.writeString(QStringLiteral("S\\K"), QStringLiteral(" a=b\\c; d "));
        QCOMPARE(store.readString(QStringLiteral("S\\K"), QStringLiteral("default")), QStringLiteral(" a=b\\c; d "));
        // A line break would end the line and let the rest pose as a section of its own.
        store.writeString(QStringLiteral("S\\Evil"), QStringLiteral("x\r\n[Boese]\nK=1"));
        IniStore reread;
        reread.parse(store.toBytes());
        QVERIFY(!reread.sectionExists(QStringLiteral("Boese")));
        QCOMPARE(reread.readString(QStringLiteral("S\\Evil")), QStringLiteral("x [Boese] K=1"));
        QCOMPARE(reread.readString(QStringLiteral("S\\K")), QStringLiteral(" a=b\\c; d "));

        // A file from the Windows code page is read as such and written back as UTF-8.
        IniStore ansi;
        ansi.parse("[Test]\r\nImportFileRezeptur=C:\\J\xF6rg\\R.csv\r\n\r\n");
        QCOMPARE(ansi.readString(QStringLiteral("Test\\ImportFileRezeptur")), QStringLiteral("C:\\Jörg\\R.csv"));
        QCOMPARE(ansi.toBytes(), QStringLiteral("[Test]\r\nImportFileRezeptur=C:\\Jörg\\R.csv\r\n\r\n").toUtf8());
    }

    void removeKeyAndEraseSection()
    {
        std::unique_ptr<IniStore> store(storeFrom(fixture(QStringLiteral("handwritten.ini"))));
        QVERIFY(store->removeKey(QStringLiteral("unbekannt\\FARBE"))); // every copy goes
        QVERIFY(!store->valueExists(QStringLiteral("Unbekannt\\Farbe")));
        QVERIFY(!store->removeKey(QStringLiteral("Unbekannt\\Farbe")));
        QVERIFY(store->eraseSection(QStringLiteral("test")));
        QVERIFY(!store->sectionExists(QStringLiteral("Test")));
        QVERIFY(!store->eraseSection(QStringLiteral("Test")));
        QCOMPARE(QString::fromUtf8(store->toBytes()),
                 QStringLiteral("; Velmora settings, edited by hand\nVersion=3\n\n"
                                "[ Rezeptur2K ]\nShowCmd=3\n  \n"
                                "[Unbekannt]\n# hash comment\n\n\n"));

        std::unique_ptr<IniStore> layout(storeFrom(fixture(QStringLiteral("velmora.ini"))));
        QVERIFY(layout->eraseSection(QStringLiteral("Rezeptur1K\\TFRezeptur")));
        QVERIFY(layout->sectionExists(QStringLiteral("Rezeptur1K")));
        QCOMPARE(layout->sectionNames(), QStringList({QStringLiteral("Test"), QStringLiteral("Rezeptur1K")}));
    }

    void fileLifecycle()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("a/b/Velmora.ini"));
        const QString second = dir.filePath(QStringLiteral("Other.ini"));
        {
            IniStore store;
            QVERIFY(store.setFileName(first)); // missing file: empty store, no error
            QVERIFY(store.sectionNames().isEmpty());
            QVERIFY(!QFile::exists(first));    // nothing written before the end
            store.writeInteger(QStringLiteral("Test\\Menge Startwert"), 500);
            QVERIFY(store.setFileName(second)); // writes the first file, loads the second
            QCOMPARE(readFile(first), QByteArray("[Test]\nMenge Startwert=500\n\n"));
            QCOMPARE(store.readInteger(QStringLiteral("Test\\Menge Startwert"), -1), -1);
            store.writeString(QStringLiteral("X\\Y"), QStringLiteral("z"));
            QVERIFY(!QFile::exists(second));
        }
        QCOMPARE(readFile(second), QByteArray("[X]\nY=z\n\n")); // written on destruction

        IniStore reload;
        QVERIFY(reload.setFileName(first));
        QCOMPARE(reload.readInteger(QStringLiteral("TEST\\Menge Startwert"), -1), 500);
        reload.setFileName(QString()); // leaving a name writes its file; no name, no writing
        QVERIFY(!reload.write());
    }

    void unreadableFileIsNeverReplaced()
    {
        QTemporaryDir dir;
        // A folder where the file should be cannot be read (even by root).
        const QString path = dir.filePath(QStringLiteral("Velmora.ini"));
        QVERIFY(QDir().mkpath(path));
        IniStore store;
        QVERIFY(!store.setFileName(path));
        store.writeInteger(QStringLiteral("Test\\A"), 1);
        QVERIFY(!store.write());
        QVERIFY(QFileInfo(path).isDir());
    }

    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("disk full") << "disk full";
        QTest::newRow("folder cannot be created") << "folder is a file";
        QTest::newRow("read-only folder") << "read-only folder";
    }

    void failedWriteKeepsTheOldFile()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        const QByteArray old = fixture(QStringLiteral("velmora.ini"));
        QString path = dir.filePath(QStringLiteral("Velmora.ini"));
        QVERIFY(writeFile(path, old));

        IniStore store;
        if (how == QLatin1String("folder is a file")) {
            // The "folder" of this path is the old file: it must come through unharmed.
            QVERIFY(store.setFileName(path + QStringLiteral("/sub/Velmora.ini")));
            store.writeInteger(QStringLiteral("Test\\A"), 1);
            QVERIFY(!store.write());
            QCOMPARE(readFile(path), old);
            store.setFileName(QString());
            return;
        }
        QVERIFY(store.setFileName(path));
        store.writeString(QStringLiteral("Test\\Long"), QString(20000, QLatin1Char('x')));

        bool ok = true;
        if (how == QLatin1String("disk full")) {
            // A file size limit fails the write part-way, as a full disk does.
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = saved;
            small.rlim_cur = 4096;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            ok = store.write();
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);
        } else {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            QFile probe(dir.filePath(QStringLiteral("probe")));
            const bool rootIgnoresPermissions = probe.open(QIODevice::WriteOnly);
            if (!rootIgnoresPermissions)
                ok = store.write();
            probe.remove();
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (rootIgnoresPermissions) {
                store.setFileName(QString());
                QSKIP("permissions do not bind this user");
            }
        }
        QVERIFY(!ok);
        QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList(QStringLiteral("Velmora.ini"))); // no leftovers
        // Nothing is lost from memory: once the disk takes it, the next write goes through.
        QVERIFY(store.write());
        QVERIFY(readFile(path).contains(QByteArray(20000, 'x')));
    }
};

QTEST_GUILESS_MAIN(TestIniStore)
#include "tst_inistore.moc"
