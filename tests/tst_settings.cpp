#include "app/tfmain.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/inistore.h"
#include "platform/navigatortexts.h"
#include "recipes/tfrezeptur.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

// Settings across runs of the whole program: the frame's values, the end-of-run sequence
// and the separate placements and grid layouts of the 1K and 2K windows.
class TestSettings : public QObject
{
    Q_OBJECT

    ScriptedDialogs *m_dialogs = nullptr;
    TFMain *m_main = nullptr;

    static QString iniFile()
    {
        return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Velmora/Velmora.ini");
    }

    static QByteArray readIni()
    {
        QFile f(iniFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void writeIni(const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(iniFile()).path());
        QFile f(iniFile());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    void start()
    {
        m_main = new TFMain;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }

    // The end of a run as the user ends it: close, then the frame goes away.
    void stop()
    {
        m_main->close();
        delete m_main;
        m_main = nullptr;
    }

    TFRezeptur *openRecipes(const char *command)
    {
        m_main->findChild<QAction *>(QString::fromLatin1(command))->trigger();
        return qobject_cast<TFRezeptur *>(m_main->mdiArea()->activeSubWindow()->widget());
    }

private slots:
    void init()
    {
        m_dialogs = new ScriptedDialogs;
        TFMain::setProgramFolder(QStringLiteral(VELMORA_BUILD_DIR));
        QDir(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Velmora")).removeRecursively();
    }

    void cleanup()
    {
        delete m_main;
        m_main = nullptr;
        delete m_dialogs;
    }

    void firstRunWritesEveryKey()
    {
        start();
        QCOMPARE(m_main->MengeStartwert, 0);
        QCOMPARE(m_main->languageIndex(), -1);
        QCOMPARE(NavigatorTexts::instance().language(), NavigatorTexts::Language::German);
        QVERIFY(!QFile::exists(iniFile())); // nothing reaches the disk before the end
        stop();

        IniStore store;
        QVERIFY(store.setFileName(iniFile()));
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const QString suffix = QStringLiteral("(%1x%2)").arg(screen.width()).arg(screen.height());
        QCOMPARE(store.keyNames(QStringLiteral("Test")),
                 (QStringList{"FormVersion", "ShowCmd", "Flags", "PixelsPerInch", "MinMaxPos", "MinMaxPos" + suffix,
                              "NormPos", "NormPos" + suffix, "Menge Startwert", "ImportFileRezeptur",
                              "ImportFileFarbverbrauch", "Sprache", "Name", "TestBoolean"}));
        QCOMPARE(store.readString(QStringLiteral("Test\\Sprache")), QStringLiteral("-1"));
        QCOMPARE(store.readString(QStringLiteral("Test\\Menge Startwert")), QStringLiteral("0"));
        QCOMPARE(store.readString(QStringLiteral("Test\\TestBoolean")), QStringLiteral("FALSE"));
        QCOMPARE(m_dialogs->texts("error"), QStringList());
    }

    void roundTripKeepsValuesAndHandWrittenParts()
    {
        writeIni("[Eigenes]\nZuerst=1\n\n"
                 "[Test]\nFormVersion=0\nMenge Startwert=-5\nImportFileRezeptur=/home/druck/rezepte.csv\n"
                 "Von Hand=behalten\nSprache=\n\n"
                 "[Zuletzt]\nSchluss=ja\n\n");
        NavigatorTexts::instance().switchInfoPowerTexts(1);
        start();
        QCOMPARE(m_main->MengeStartwert, -5);
        QCOMPARE(m_main->ImportFileRezeptur, QStringLiteral("/home/druck/rezepte.csv"));
        // An empty "Sprache" reads 0: German.
        QCOMPARE(m_main->languageIndex(), 0);
        QCOMPARE(NavigatorTexts::instance().language(), NavigatorTexts::Language::German);
        // The default total reaches a recipe window unchanged.
        TFRezeptur *w = openRecipes("Rezeptur1K1");
        QCOMPARE(w->JvEdit1->text(), QStringLiteral("-5"));
        m_main->ImportFileFarbverbrauch = QStringLiteral("/home/druck/verbrauch.csv");
        stop();

        IniStore store;
        QVERIFY(store.setFileName(iniFile()));
        QCOMPARE(store.sectionNames().mid(0, 3), (QStringList{"Eigenes", "Test", "Zuletzt"}));
        QCOMPARE(store.readString(QStringLiteral("Eigenes\\Zuerst")), QStringLiteral("1"));
        QCOMPARE(store.readString(QStringLiteral("Test\\Von Hand")), QStringLiteral("behalten"));
        QCOMPARE(store.readInteger(QStringLiteral("Test\\Menge Startwert"), 0), -5);
        QCOMPARE(store.readInteger(QStringLiteral("Test\\Sprache"), -1), 0);
        QCOMPARE(store.readString(QStringLiteral("Test\\ImportFileFarbverbrauch")),
                 QStringLiteral("/home/druck/verbrauch.csv"));
        const QStringList keys = store.keyNames(QStringLiteral("Test"));
        QVERIFY(keys.indexOf(QStringLiteral("Von Hand")) < keys.indexOf(QStringLiteral("Sprache")));

        // The next run reads what this one wrote.
        start();
        QCOMPARE(m_main->ImportFileFarbverbrauch, QStringLiteral("/home/druck/verbrauch.csv"));
        QCOMPARE(m_main->MengeStartwert, -5);
    }

    void badIntegerIsShownOnceAndRewritten()
    {
        writeIni("[Test]\nMenge Startwert=abc\nImportFileRezeptur=/tmp/r.csv\nSprache=1\n\n");
        start();
        QCOMPARE(m_dialogs->texts("error"), QStringList{QStringLiteral("''abc'' ist kein gültiger Integer-Wert")});
        // The rest of the frame's values keep their defaults.
        QCOMPARE(m_main->MengeStartwert, 0);
        QVERIFY(m_main->ImportFileRezeptur.isEmpty());
        QCOMPARE(m_main->languageIndex(), -1);
        stop();
        IniStore store;
        QVERIFY(store.setFileName(iniFile()));
        QCOMPARE(store.readString(QStringLiteral("Test\\Menge Startwert")), QStringLiteral("0"));
        QCOMPARE(m_dialogs->texts("error").size(), 1);
    }

    void recipeWindowsKeepSeparatePlacementsAndLayouts()
    {
        start();
        TFRezeptur *one = openRecipes("Rezeptur1K1");
        QMdiSubWindow *frame = m_main->mdiArea()->activeSubWindow();
        frame->setGeometry(40, 30, 520, 420);
        one->ADOQuery1->fieldByName(QStringLiteral("Beschreibung")).setDisplayWidth(40);
        one->ADOQuery1->moveField(one->ADOQuery1->fieldByName(QStringLiteral("Anteil gesamt")), 2);
        frame->close();
        QTRY_COMPARE(m_main->mdiArea()->subWindowList().size(), 0);

        openRecipes("Rezeptur2K1");
        QMdiSubWindow *frame2 = m_main->mdiArea()->activeSubWindow();
        QVERIFY(frame2->geometry() != QRect(40, 30, 520, 420));
        TFRezeptur *two = qobject_cast<TFRezeptur *>(frame2->widget());
        QCOMPARE(two->ADOQuery1->fieldByName(QStringLiteral("Beschreibung")).displayWidth(), 25);
        frame2->close();
        QTRY_COMPARE(m_main->mdiArea()->subWindowList().size(), 0);

        // Reopened, and again after a restart: the 1K window comes back as it was left.
        for (int run = 0; run < 2; ++run) {
            TFRezeptur *again = openRecipes("Rezeptur1K1");
            QCOMPARE(m_main->mdiArea()->activeSubWindow()->geometry(), QRect(40, 30, 520, 420));
            QCOMPARE(again->ADOQuery1->fieldByName(QStringLiteral("Beschreibung")).displayWidth(), 40);
            QCOMPARE(again->ADOQuery1->fieldByName(QStringLiteral("Anteil gesamt")).index(), 2);
            if (run == 0) {
                stop(); // asked to close while open: it saves on the way out
                start();
            }
        }
        stop();

        IniStore store;
        QVERIFY(store.setFileName(iniFile()));
        const QStringList keys = store.keyNames(QStringLiteral("Rezeptur1K\\TFRezeptur"));
        QCOMPARE(keys.size(), 17);
        QCOMPARE(keys.first(), QStringLiteral("ADOQuery1Rezeptname"));
        QCOMPARE(store.readString(QStringLiteral("Rezeptur1K\\TFRezeptur\\ADOQuery1Anteil gesamt")),
                 QStringLiteral("2,10,1"));
        QVERIFY(store.readString(QStringLiteral("Rezeptur1K\\TFRezeptur\\ADOQuery1Bemerkung")).endsWith(",0"));
        QVERIFY(store.sectionExists(QStringLiteral("Rezeptur2K\\TFRezeptur")));
        QVERIFY(store.sectionExists(QStringLiteral("Rezeptur1K")));
        QCOMPARE(m_dialogs->texts("error"), QStringList());
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
