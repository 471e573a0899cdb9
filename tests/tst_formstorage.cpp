#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/fieldlayout.h"
#include "platform/formstorage.h"
#include "platform/inistore.h"
#include "platform/placement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

namespace {

QString suffix()
{
    return Placement::screenSuffix(QGuiApplication::primaryScreen()->size());
}

QRect screenArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Stands in for a data set's fields: applies layouts the way the real one promises to.
class FakeFields : public FieldLayoutTarget
{
public:
    QList<FieldLayout> fields;
    QList<FieldLayout> applied;

    QString layoutKeyPrefix() const override { return QStringLiteral("ADOQuery1"); }
    QList<FieldLayout> fieldLayouts() const override { return fields; }
    void applyFieldLayouts(const QList<FieldLayout> &layouts) override
    {
        applied = layouts;
        fields = layouts;
        std::stable_sort(fields.begin(), fields.end(),
                         [](const FieldLayout &a, const FieldLayout &b) { return a.position < b.position; });
    }
    QStringList order() const
    {
        QStringList names;
        for (const FieldLayout &f : fields)
            names << f.fieldName;
        return names;
    }
};

class RefusingWidget : public QWidget
{
public:
    bool allowClose = false;

protected:
    void closeEvent(QCloseEvent *event) override { event->setAccepted(allowClose); }
};

// A frame with an MDI area, as the program's main window has.
struct MdiFrame
{
    QMainWindow main;
    QMdiArea *area = new QMdiArea;

    MdiFrame()
    {
        main.setCentralWidget(area);
        main.setGeometry(QRect(screenArea().topLeft() + QPoint(10, 10), QSize(700, 500)));
        main.show();
    }

    // A child inside a sub-window with its own storage (owned by the child).
    QMdiSubWindow *open(IniStore &store, const QString &name, FormStorage **storage = nullptr)
    {
        auto *child = new QWidget;
        child->setObjectName(name);
        auto *fs = new FormStorage(store, child, QStringLiteral("%FORM_NAME%\\"), child);
        if (storage)
            *storage = fs;
        QMdiSubWindow *sub = area->addSubWindow(child);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        return sub;
    }
};

} // namespace

class TestFormStorage : public QObject
{
    Q_OBJECT

private slots:
    void topLevelPlacementRoundTrip_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << false;
        QTest::newRow("maximized") << true;
    }

    void topLevelPlacementRoundTrip()
    {
        QFETCH(bool, maximized);
        IniStore store;
        const QRect normal(screenArea().topLeft() + QPoint(100, 120), QSize(300, 200));
        {
            QWidget w;
            w.setObjectName(QStringLiteral("FOptionen"));
            FormStorage fs(store, &w);
            w.setGeometry(normal);
            w.show();
            QVERIFY(fs.isRestored());
            if (maximized)
                w.setWindowState(Qt::WindowMaximized);
            QVERIFY(w.close());
            QVERIFY(fs.isSavedSinceRestore());
        }
        const QString norm = Placement::formatRect(normal);
        QCOMPARE(store.keyNames(QStringLiteral("FOptionen")),
                 QStringList({"FormVersion", "ShowCmd", "Flags", "PixelsPerInch", "MinMaxPos", "MinMaxPos" + suffix(),
                              "NormPos", "NormPos" + suffix()}));
        QCOMPARE(store.readString(QStringLiteral("FOptionen\\FormVersion")), QStringLiteral("0"));
        QCOMPARE(store.readInteger(QStringLiteral("FOptionen\\ShowCmd"), 0), maximized ? 3 : 1);
        QCOMPARE(store.readInteger(QStringLiteral("FOptionen\\Flags"), -1), 0);
        QVERIFY(store.readInteger(QStringLiteral("FOptionen\\PixelsPerInch"), 0) > 0);
        QCOMPARE(store.readString(QStringLiteral("FOptionen\\NormPos")), norm);
        QCOMPARE(store.readString(QStringLiteral("FOptionen\\NormPos") + suffix()), norm);

        QWidget again;
        again.setObjectName(QStringLiteral("FOptionen"));
        FormStorage fs(store, &again);
        again.show();
        QCOMPARE(again.isMaximized(), maximized);
        QCOMPARE(again.normalGeometry(), normal);
    }

    void mdiChildPlacementRoundTrip_data()
    {
        QTest::addColumn<int>("showCmd");
        QTest::newRow("normal") << 1;
        QTest::newRow("minimized") << 2;
        QTest::newRow("maximized") << 3;
    }

    void mdiChildPlacementRoundTrip()
    {
        QFETCH(int, showCmd);
        IniStore store;
        MdiFrame frame;
        const QRect normal(10, 20, 300, 200); // relative to the MDI area's viewport
        QMdiSubWindow *sub = frame.open(store, QStringLiteral("FFarbverbrauch"));
        sub->setGeometry(normal);
        sub->show();
        if (showCmd == 2)
            sub->showMinimized();
        else if (showCmd == 3)
            sub->showMaximized();
        QVERIFY(sub->close());

        QCOMPARE(store.readInteger(QStringLiteral("FFarbverbrauch\\ShowCmd"), 0), showCmd);
        QCOMPARE(store.readInteger(QStringLiteral("FFarbverbrauch\\Flags"), -1), showCmd == 2 ? 1 : 0);
        QCOMPARE(store.readString(QStringLiteral("FFarbverbrauch\\NormPos")), QStringLiteral("10,20,310,220"));
        QCOMPARE(store.readString(QStringLiteral("FFarbverbrauch\\NormPos") + suffix()), QStringLiteral("10,20,310,220"));

        QMdiSubWindow *again = frame.open(store, QStringLiteral("FFarbverbrauch"));
        again->show();
        QCOMPARE(again->isMinimized(), showCmd == 2);
        QCOMPARE(again->isMaximized(), showCmd == 3);
        again->showNormal();
        QCOMPARE(again->geometry(), normal);
    }

    // On restore the key for today's screen size wins over the plain one.
    void screenSuffixedKeyWins_data()
    {
        QTest::addColumn<QString>("suffixed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("this screen's key") << suffix() << "B";
        QTest::newRow("only the plain key") << QString() << "A";
        QTest::newRow("another screen's key") << "(1x1)" << "A";
    }

    void screenSuffixedKeyWins()
    {
        QFETCH(QString, suffixed);
        QFETCH(QString, expected);
        const QPoint origin = screenArea().topLeft();
        const QRect a(origin + QPoint(30, 40), QSize(200, 100));
        const QRect b(origin + QPoint(60, 70), QSize(250, 150));
        IniStore store;
        store.writeString(QStringLiteral("FAbout\\NormPos"), Placement::formatRect(a));
        if (!suffixed.isEmpty())
            store.writeString(QStringLiteral("FAbout\\NormPos") + suffixed, Placement::formatRect(b));
        QWidget w;
        w.setObjectName(QStringLiteral("FAbout"));
        FormStorage fs(store, &w);
        w.show();
        QCOMPARE(w.geometry(), expected == QLatin1String("A") ? a : b);
    }

    void negativeFormVersionSkipsRestoreButNotTheNextSave()
    {
        IniStore store;
        store.parse("[Test]\nFormVersion=-1\nNormPos=5,5,105,105\nName=stored\n\n");
        QWidget w;
        w.setObjectName(QStringLiteral("TFMain"));
        FormStorage fs(store, &w, QStringLiteral("Test"));
        int restores = 0, saves = 0;
        QString name = QStringLiteral("current");
        fs.onRestore = [&](IniStore &, const QString &) { ++restores; };
        fs.onSave = [&](IniStore &s, const QString &path) {
            ++saves;
            s.writeInteger(path + QStringLiteral("Menge Startwert"), 0);
        };
        fs.addStoredValue(QStringLiteral("Name"), FormStorage::ValueKind::Text, [&] { return QVariant(name); },
                          [&](const QVariant &v) { name = v.toString(); });
        const QRect current(screenArea().topLeft() + QPoint(50, 60), QSize(200, 100));
        w.setGeometry(current);
        w.show();
        QVERIFY(fs.isRestored());
        QCOMPARE(w.geometry(), current);
        QCOMPARE(restores, 0);
        QCOMPARE(name, QStringLiteral("current"));

        QVERIFY(w.close());
        QCOMPARE(saves, 1);
        QCOMPARE(store.readInteger(QStringLiteral("Test\\FormVersion"), -1), 0);
        QCOMPARE(store.readString(QStringLiteral("Test\\NormPos")), Placement::formatRect(current));
        QCOMPARE(store.readString(QStringLiteral("Test\\Name")), QStringLiteral("current"));
        QVERIFY(store.valueExists(QStringLiteral("Test\\Menge Startwert")));
    }

    void badIntegerIsShownOnceAndRewrittenOnSave()
    {
        ScriptedDialogs dialogs;
        IniStore store;
        store.parse("[Test]\nMenge Startwert=abc\nSprache=1\n\n");
        QWidget w;
        w.setObjectName(QStringLiteral("TFMain"));
        FormStorage fs(store, &w, QStringLiteral("Test"));
        int menge = 0, sprache = -1;
        fs.onRestore = [&](IniStore &s, const QString &path) {
            menge = s.readInteger(path + QStringLiteral("Menge Startwert"), 0);
            sprache = s.readInteger(path + QStringLiteral("Sprache"), -1);
        };
        fs.onSave = [&](IniStore &s, const QString &path) {
            s.writeInteger(path + QStringLiteral("Menge Startwert"), menge);
            s.writeInteger(path + QStringLiteral("Sprache"), sprache);
        };
        w.show();
        QVERIFY(w.isVisible()); // the window opens all the same
        QVERIFY(fs.isRestored());
        QCOMPARE(dialogs.texts(QStringLiteral("error")),
                 QStringList(QStringLiteral("''abc'' ist kein gültiger Integer-Wert")));
        QCOMPARE(sprache, -1); // the rest of the restore was skipped
        w.hide();
        w.show();
        QCOMPARE(dialogs.shown.size(), 1);

        // Asked for directly, the error reaches the caller, and the storage still counts as restored.
        QVERIFY_THROWS_EXCEPTION(AppError, fs.restore());
        QVERIFY(fs.isRestored());

        QVERIFY(w.close());
        QCOMPARE(store.readString(QStringLiteral("Test\\Menge Startwert")), QStringLiteral("0"));
        QCOMPARE(store.readString(QStringLiteral("Test\\Sprache")), QStringLiteral("-1"));
        QCOMPARE(dialogs.shown.size(), 1);
    }

    void gridLayoutSaveAndRestore()
    {
        IniStore store;
        FakeFields fields;
        fields.fields = {{QStringLiteral("Rezeptname"), 0, 15, true},
                         {QStringLiteral("Beschreibung"), 1, 30, true},
                         {QStringLiteral("Anteil gesamt"), 2, 10, true},
                         {QStringLiteral("Bemerkung"), 3, 10, false}};
        {
            QWidget w;
            w.setObjectName(QStringLiteral("FRezeptur"));
            w.setProperty(FormStorage::ClassNameProperty, QStringLiteral("TFRezeptur"));
            FormStorage fs(store, &w);
            fs.addLayoutTarget(&fields);
            w.show();
            fs.setStoragePath(QStringLiteral("Rezeptur1K"));
            fs.restore();
            QCOMPARE(fs.layoutSection(), QStringLiteral("Rezeptur1K\\TFRezeptur"));
            QVERIFY(w.close());
        }
        const QString section = QStringLiteral("Rezeptur1K\\TFRezeptur");
        QCOMPARE(store.keyNames(section),
                 QStringList({"ADOQuery1Rezeptname", "ADOQuery1Beschreibung", "ADOQuery1Anteil gesamt", "ADOQuery1Bemerkung"}));
        QCOMPARE(store.readString(section + QStringLiteral("\\ADOQuery1Rezeptname")), QStringLiteral("0,15,1"));
        QCOMPARE(store.readString(section + QStringLiteral("\\ADOQuery1Bemerkung")), QStringLiteral("3,10,0"));
        QVERIFY(!store.sectionExists(QStringLiteral("FRezeptur\\TFRezeptur"))); // only ever read

        // Position and width are applied, a part that is missing or not a number keeps the
        // current value, and the visibility number is not applied.
        store.writeString(section + QStringLiteral("\\ADOQuery1Rezeptname"), QStringLiteral("2,20,0"));
        store.writeString(section + QStringLiteral("\\ADOQuery1Beschreibung"), QStringLiteral("x,25,1"));
        store.writeString(section + QStringLiteral("\\ADOQuery1Anteil gesamt"), QStringLiteral("0"));
        store.removeKey(section + QStringLiteral("\\ADOQuery1Bemerkung"));
        QWidget w;
        w.setObjectName(QStringLiteral("Rezeptur1K"));
        w.setProperty(FormStorage::ClassNameProperty, QStringLiteral("TFRezeptur"));
        FormStorage fs(store, &w, QStringLiteral("%FORM_NAME%"));
        fs.addLayoutTarget(&fields);
        w.show();
        QCOMPARE(fields.order(), QStringList({"Anteil gesamt", "Beschreibung", "Rezeptname", "Bemerkung"}));
        QCOMPARE(fields.fields[0].displayWidth, 10);
        QCOMPARE(fields.fields[1].displayWidth, 25);
        QCOMPARE(fields.fields[2].displayWidth, 20);
        QVERIFY(fields.fields[2].visible);
        QVERIFY(!fields.fields[3].visible);
    }

    void keepReachable_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QList<QRect>>("areas");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 1920, 1040);
        const QRect second(1920, 0, 1280, 1000);
        QTest::newRow("inside") << QRect(100, 100, 400, 300) << QList<QRect>{screen} << QRect(100, 100, 400, 300);
        QTest::newRow("partly out, still in reach")
            << QRect(1800, 100, 400, 300) << QList<QRect>{screen} << QRect(1800, 100, 400, 300);
        QTest::newRow("far off") << QRect(5000, 5000, 300, 200) << QList<QRect>{screen} << QRect(1620, 840, 300, 200);
        QTest::newRow("title above the screen")
            << QRect(100, -50, 300, 200) << QList<QRect>{screen} << QRect(100, 0, 300, 200);
        QTest::newRow("too large") << QRect(-10, -10, 3000, 2000) << QList<QRect>{screen} << QRect(0, 0, 1920, 1040);
        QTest::newRow("on the second screen")
            << QRect(2000, 100, 400, 300) << QList<QRect>{screen, second} << QRect(2000, 100, 400, 300);
        QTest::newRow("second screen gone")
            << QRect(2000, 100, 400, 300) << QList<QRect>{screen} << QRect(1520, 100, 400, 300);
        QTest::newRow("off the second screen's bottom")
            << QRect(2600, 1200, 400, 300) << QList<QRect>{screen, second} << QRect(2600, 700, 400, 300);
    }

    void keepReachable()
    {
        QFETCH(QRect, rect);
        QFETCH(QList<QRect>, areas);
        QFETCH(QRect, expected);
        QCOMPARE(Placement::keepReachable(rect, areas), expected);
    }

    void offScreenPositionIsMovedBack()
    {
        IniStore store;
        store.writeString(QStringLiteral("FAbout\\NormPos"), QStringLiteral("5000,5000,5300,5200"));
        store.writeString(QStringLiteral("FFarbverbrauch\\NormPos"), QStringLiteral("-2000,10,-1700,210"));
        QWidget w;
        w.setObjectName(QStringLiteral("FAbout"));
        FormStorage fs(store, &w);
        w.show();
        QCOMPARE(w.size(), QSize(300, 200));
        QVERIFY(screenArea().contains(w.geometry()));

        MdiFrame frame;
        QMdiSubWindow *sub = frame.open(store, QStringLiteral("FFarbverbrauch"));
        sub->show();
        QCOMPARE(sub->geometry(), QRect(0, 10, 300, 200));
        QVERIFY(frame.area->viewport()->rect().contains(sub->geometry()));
    }

    void storagePathAndWhenItRuns()
    {
        IniStore store;
        RefusingWidget w;
        w.setObjectName(QStringLiteral("FOptionen"));
        FormStorage fs(store, &w);
        QCOMPARE(fs.storagePath(), QStringLiteral("%FORM_NAME%\\"));
        QCOMPARE(fs.resolvedStoragePath(), QStringLiteral("FOptionen\\"));
        fs.setStoragePath(QStringLiteral("Rezeptur2K"));
        QCOMPARE(fs.storagePath(), QStringLiteral("Rezeptur2K\\"));
        fs.setStoragePath(QStringLiteral("%FORM_NAME%\\"));
        int restores = 0;
        fs.onRestore = [&](IniStore &, const QString &path) {
            ++restores;
            QCOMPARE(path, QStringLiteral("FOptionen\\"));
        };

        w.show();
        w.hide();
        w.show();
        QCOMPARE(restores, 1); // only the first show restores
        fs.restore();
        QCOMPARE(restores, 2); // on request it runs again

        QVERIFY(!w.close()); // a refused close saves nothing
        QVERIFY(w.isVisible());
        QVERIFY(!store.sectionExists(QStringLiteral("FOptionen")));
        w.allowClose = true;
        QVERIFY(w.close());
        QVERIFY(store.valueExists(QStringLiteral("FOptionen\\NormPos")));

        // Saved since the last restore: destruction adds nothing.
        store.eraseSection(QStringLiteral("FOptionen"));
        {
            QWidget other;
            other.setObjectName(QStringLiteral("FOptionen"));
            FormStorage second(store, &other);
            other.show();
            other.close();
            store.eraseSection(QStringLiteral("FOptionen"));
        }
        QVERIFY(!store.sectionExists(QStringLiteral("FOptionen")));
        // Restored and never saved: destruction saves.
        {
            QWidget other;
            other.setObjectName(QStringLiteral("FAbout"));
            FormStorage second(store, &other);
            other.show();
        }
        QVERIFY(store.valueExists(QStringLiteral("FAbout\\NormPos")));
        // Never shown: nothing to save.
        {
            QWidget other;
            other.setObjectName(QStringLiteral("FRezeptur"));
            FormStorage second(store, &other);
        }
        QVERIFY(!store.sectionExists(QStringLiteral("FRezeptur")));
    }

    void storedValues()
    {
        IniStore store;
        store.parse("[Test]\nName=Otto\nTestBoolean=yes\n\n");
        QWidget w;
        w.setObjectName(QStringLiteral("TFMain"));
        FormStorage fs(store, &w, QStringLiteral("Test\\"));
        QVariant name, flag, number;
        fs.addStoredValue(QStringLiteral("Name"), FormStorage::ValueKind::Text, [] { return QVariant(QString()); },
                          [&](const QVariant &v) { name = v; });
        fs.addStoredValue(QStringLiteral("TestBoolean"), FormStorage::ValueKind::Boolean, [] { return QVariant(false); },
                          [&](const QVariant &v) { flag = v; });
        fs.addStoredValue(QStringLiteral("Zahl"), FormStorage::ValueKind::Integer, [] { return QVariant(17); },
                          [&](const QVariant &v) { number = v; });
        w.show();
        QCOMPARE(name.toString(), QStringLiteral("Otto"));
        QCOMPARE(flag.toBool(), true);
        QCOMPARE(number.toInt(), 17); // missing: the current value stays
        QVERIFY(w.close());
        QCOMPARE(store.readString(QStringLiteral("Test\\Name"), QStringLiteral("x")), QString());
        QCOMPARE(store.readString(QStringLiteral("Test\\TestBoolean")), QStringLiteral("FALSE"));
        QCOMPARE(store.readString(QStringLiteral("Test\\Zahl")), QStringLiteral("17"));
    }

    // The frame asks its children to close first: they save (into their switched groups)
    // before the frame does, and a child that refuses keeps the frame open.
    void closingTheFrameSavesChildrenFirst()
    {
        class Frame : public QMainWindow
        {
        public:
            QMdiArea *area = new QMdiArea;
            Frame() { setCentralWidget(area); }

        protected:
            void closeEvent(QCloseEvent *event) override
            {
                area->closeAllSubWindows();
                event->setAccepted(area->subWindowList().isEmpty());
            }
        };
        IniStore store;
        store.writeString(QStringLiteral("Rezeptur1K\\NormPos"), QStringLiteral("40,30,440,330"));
        QStringList saved;
        Frame frame;
        frame.setObjectName(QStringLiteral("TFMain"));
        FormStorage frameStorage(store, &frame, QStringLiteral("Test"));
        frameStorage.onSave = [&](IniStore &, const QString &path) { saved << path; };
        frame.setGeometry(QRect(screenArea().topLeft() + QPoint(10, 10), QSize(700, 500)));
        frame.show();

        // Both recipe windows start in the group of their name, then switch and restore.
        RefusingWidget *refusing = nullptr;
        for (const QString &group : {QStringLiteral("Rezeptur1K"), QStringLiteral("Rezeptur2K")}) {
            auto *child = new RefusingWidget;
            child->allowClose = group == QLatin1String("Rezeptur1K");
            if (!child->allowClose)
                refusing = child;
            child->setObjectName(QStringLiteral("FRezeptur"));
            auto *fs = new FormStorage(store, child, QStringLiteral("%FORM_NAME%\\"), child);
            fs->onSave = [&saved](IniStore &, const QString &path) { saved << path; };
            QMdiSubWindow *sub = frame.area->addSubWindow(child);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->setGeometry(100, 100, 200, 150);
            sub->show();
            fs->setStoragePath(group);
            fs->restore();
            QCOMPARE(sub->geometry(), group == QLatin1String("Rezeptur1K") ? QRect(40, 30, 400, 300)
                                                                           : QRect(100, 100, 200, 150));
        }

        QVERIFY(!frame.close());
        QCOMPARE(saved, QStringList(QStringLiteral("Rezeptur1K\\")));
        refusing->allowClose = true;
        QVERIFY(frame.close());
        QCOMPARE(saved, QStringList({"Rezeptur1K\\", "Rezeptur2K\\", "Test\\"}));
        QVERIFY(!store.sectionExists(QStringLiteral("FRezeptur")));
        QCOMPARE(store.readString(QStringLiteral("Rezeptur2K\\NormPos")), QStringLiteral("100,100,300,250"));
    }

    // A window that outlives the store must not write into freed memory.
    void storeGoneBeforeTheWindow()
    {
        auto store = std::make_unique<IniStore>();
        QWidget w;
        w.setObjectName(QStringLiteral("FAbout"));
        FormStorage fs(*store, &w);
        w.show();
        store.reset();
        QVERIFY(w.close()); // must not touch the destroyed store
    }
};

QTEST_MAIN(TestFormStorage)
#include "tst_formstorage.moc"
