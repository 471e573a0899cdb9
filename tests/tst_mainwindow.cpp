#include "app/tfmain.h"
#include "common/windowregistry.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>

// The frame: menu tree, window registry, window commands, clipboard actions, About box.
class TestMainWindow : public QObject
{
    Q_OBJECT

    ScriptedDialogs *m_dialogs = nullptr;
    TFMain *m_main = nullptr;

    QAction *action(const char *name) { return m_main->findChild<QAction *>(QString::fromLatin1(name)); }

private slots:
    void init()
    {
        m_dialogs = new ScriptedDialogs;
        TFMain::setProgramFolder(QStringLiteral(VELMORA_BUILD_DIR));
        m_main = new TFMain;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
    }

    void cleanup()
    {
        delete m_main;
        delete m_dialogs;
        QDir(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Velmora")).removeRecursively();
    }

    void menuTree()
    {
        QCOMPARE(m_dialogs->texts("error"), QStringList());
        QStringList menus;
        for (QAction *a : m_main->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"&Datei", "&Bearbeiten", "&Rezeptur", "&Extras", "&Fenster", "&Hilfe"}));
        QStringList rezeptur;
        for (QAction *a : m_main->findChild<QMenu *>(QStringLiteral("Rezeptur1"))->actions())
            rezeptur << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(rezeptur, (QStringList{"Rezeptur &1K", "Rezeptur &2K", "-", "&Eigene Rezeptur", "-",
                                        "&Farbverbrauch", "-", "&Import Standardrezepturen",
                                        "Import Farbverbrauchsdaten"}));
        QCOMPARE(action("EditCut1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
        QCOMPARE(action("EditCopy1")->statusTip(), QStringLiteral("Markiertes Objekt in die Zwischenablage kopieren"));
        QCOMPARE(action("FileExit1")->toolTip(), QStringLiteral("Beenden"));
        QCOMPARE(action("Info1")->statusTip(),
                 QStringLiteral("Anzeige von Programminformationen, Versionsnummer und Copyright-Vermerk"));
    }

    void childCommandOpensOneWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("1K") << "Rezeptur1K1";
        QTest::newRow("own recipes") << "EigeneRezeptur1";
        QTest::newRow("consumption") << "Farbverbrauch1";
    }

    void childCommandOpensOneWindow()
    {
        QFETCH(QString, command);
        QAction *open = m_main->findChild<QAction *>(command);
        QMdiArea *area = m_main->mdiArea();
        open->trigger();
        open->trigger();
        QCOMPARE(area->subWindowList().size(), 1);
        QPointer<QWidget> first = area->subWindowList().first()->widget();

        // Minimised, then asked for again: back to normal and in front, same window.
        action("Rezeptur2K1")->trigger();
        QCOMPARE(area->subWindowList().size(), 2);
        QMdiSubWindow *frame = WindowRegistry::subWindowOf(first);
        frame->showMinimized();
        open->trigger();
        QCOMPARE(area->subWindowList().size(), 2);
        QVERIFY(!frame->isMinimized());
        QCOMPARE(area->activeSubWindow(), frame);
        QCOMPARE(frame->widget(), first.data());

        // Closed: the next command makes a fresh window.
        frame->close();
        open->trigger();
        QCOMPARE(area->subWindowList().size(), 2);
        QTRY_VERIFY(first.isNull());
        QVERIFY(area->activeSubWindow()->widget() != nullptr);
    }

    void escapeClosesChild()
    {
        action("EigeneRezeptur1")->trigger();
        QMdiSubWindow *frame = m_main->mdiArea()->subWindowList().first();
        QTest::keyClick(frame->widget(), Qt::Key_Escape, Qt::ShiftModifier);
        QTRY_COMPARE(m_main->mdiArea()->subWindowList().size(), 0);
        QCOMPARE(WindowRegistry::window(Slot::RezepturEigen), nullptr);
    }

    void windowCommands()
    {
        action("AlleVerkleinern1")->trigger(); // nothing open: nothing happens
        action("EigeneRezeptur1")->trigger();
        action("Farbverbrauch1")->trigger();
        action("Rezeptur1K1")->trigger();
        const QList<QMdiSubWindow *> windows = m_main->mdiArea()->subWindowList();
        QCOMPARE(windows.size(), 3);

        action("Nebeneinander1")->trigger();
        const QRect viewport = m_main->mdiArea()->viewport()->rect();
        QCOMPARE(windows[0]->geometry().top(), viewport.top());
        QCOMPARE(windows[1]->geometry().left(), windows[0]->geometry().right() + 1);
        QCOMPARE(windows[2]->geometry().right(), viewport.right());

        action("Untereinander1")->trigger();
        QCOMPARE(windows[0]->geometry().width(), viewport.width());
        QCOMPARE(windows[1]->geometry().top(), windows[0]->geometry().bottom() + 1);

        action("AlleVerkleinern1")->trigger();
        for (QMdiSubWindow *w : windows)
            QVERIFY(w->isMinimized());
        action("IconsAnordnen1")->trigger();
        for (QMdiSubWindow *w : windows)
            QVERIFY(viewport.contains(w->geometry()));
    }

    void editActionsFollowFocus()
    {
        QVERIFY(!action("EditCut1")->isEnabled());
        QVERIFY(!action("EditCopy1")->isEnabled());
        QVERIFY(!action("EditPaste1")->isEnabled());

        QApplication::clipboard()->setText(QStringLiteral("250"));
        auto *box = new QLineEdit(QStringLiteral("1000"), m_main->mdiArea());
        box->show();
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QVERIFY(!action("EditCopy1")->isEnabled());
        QVERIFY(action("EditPaste1")->isEnabled());
        box->selectAll();
        QVERIFY(action("EditCut1")->isEnabled());
        QVERIFY(action("EditCopy1")->isEnabled());
        action("EditCut1")->trigger();
        QCOMPARE(box->text(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1000"));
        action("EditPaste1")->trigger();
        QCOMPARE(box->text(), QStringLiteral("1000"));

        box->setReadOnly(true);
        box->selectAll();
        QVERIFY(!action("EditCut1")->isEnabled());
        QVERIFY(action("EditCopy1")->isEnabled());
    }

    void aboutBoxIsModalAndNewEachTime()
    {
        QPointer<QDialog> seen;
        QString version;
        m_dialogs->modalHandlers << [&](QDialog *d) {
            seen = d;
            version = d->findChild<QLabel *>(QStringLiteral("Version"))->text();
            d->show();
            QTest::keyClick(d, Qt::Key_Escape, Qt::ControlModifier);
            return d->isVisible() ? int(QDialog::Accepted) : d->result();
        };
        action("Info1")->trigger();
        QCOMPARE(version, QStringLiteral("Version: 1.03"));
        QVERIFY(seen.isNull()); // freed after closing
        QCOMPARE(WindowRegistry::window(Slot::About), nullptr);
        QCOMPARE(m_dialogs->texts("modal"), QStringList{QStringLiteral("FAbout")});
    }

    void homepageGoesToDesktop()
    {
        action("Homepage1")->trigger();
        QCOMPARE(m_dialogs->texts("url").size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
