#include "common/helpers.h"
#include "platform/apperror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestHelpers : public QObject
{
    Q_OBJECT

private:
    static void writeFile(const QString &path, const QByteArray &content)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void splitText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("three") << "a;b;c" << ";" << QStringList{"a", "b", "c"};
        QTest::newRow("adjacent") << "a;;b" << ";" << QStringList{"a", "", "b"};
        QTest::newRow("lone delimiter") << ";" << ";" << QStringList{"", ""};
        QTest::newRow("trailing") << "abc;" << ";" << QStringList{"abc", ""};
        QTest::newRow("leading") << ";abc" << ";" << QStringList{"", "abc"};
        QTest::newRow("none") << "abc" << ";" << QStringList{"abc"};
        QTest::newRow("empty text") << "" << ";" << QStringList{};
        QTest::newRow("two characters") << "a--b" << "--" << QStringList{"a", "b"};
        QTest::newRow("empty delimiter") << "a;b" << "" << QStringList{"a;b"};
        QTest::newRow("case-sensitive") << "aXbxc" << "x" << QStringList{"aXb", "c"};
        QTest::newRow("not trimmed") << " a ; b " << ";" << QStringList{" a ", " b "};
    }

    void splitText()
    {
        QFETCH(QString, text);
        QFETCH(QString, delimiter);
        QFETCH(QStringList, pieces);
        QCOMPARE(SplitText(text, delimiter), pieces);
        QStringList reused{"old", "content"};
        SplitText(text, delimiter, reused);
        QCOMPARE(reused, pieces);
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::newRow("decimal comma") << "1,5" << "," << "." << "1.5";
        QTest::newRow("adjacent") << "a,,b" << "," << "." << "a..b";
        QTest::newRow("not searched again") << "aa" << "a" << "aa" << "aaaa";
        QTest::newRow("no overlap") << "aaa" << "aa" << "b" << "ba";
        QTest::newRow("empty find") << "abc" << "" << "x" << "abc";
        QTest::newRow("case-sensitive") << "Aa" << "a" << "b" << "Ab";
        QTest::newRow("remove") << "1.000,5" << "." << "" << "1000,5";
    }

    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QCOMPARE(ReplaceAll(text, find, replacement), result);
    }

    void copyReplacesWholeContent()
    {
        QTemporaryDir dir;
        const QString src = dir.filePath("src.bin");
        const QString dst = dir.filePath("dst.bin");
        writeFile(src, "short");
        writeFile(dst, QByteArray(200000, 'x'));
        QVERIFY(CopyFileStream(src, dst));
        QCOMPARE(readFile(dst), QByteArray("short"));

        QByteArray big(300000, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i * 7);
        writeFile(src, big);
        QVERIFY(CopyFileStream(src, dst));
        QCOMPARE(readFile(dst), big);
    }

    void copyFailures()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("missing.db");
        const QString dst = dir.filePath("dst.db");
        try {
            CopyFileStream(missing, dst);
            QFAIL("no error for a missing source");
        } catch (const AppError &e) {
            QVERIFY2(e.text().startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(missing)),
                     qPrintable(e.text()));
            QVERIFY(e.text().size() > QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(missing).size());
        }
        QVERIFY(!QFile::exists(dst));

        // A destination that cannot be created keeps nothing half-written behind.
        const QString src = dir.filePath("src.db");
        writeFile(src, "content");
        const QString noFolder = dir.filePath("no/such/folder/dst.db");
        QVERIFY_THROWS_EXCEPTION(AppError, CopyFileStream(src, noFolder));
        QVERIFY(!QFile::exists(noFolder));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "tst_helpers.moc"
