#include "app/tfmain.h"
#include "common/windowregistry.h"
#include "data/database.h"
#include "platform/datagrid.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/navigatorbar.h"
#include "platform/numbertext.h"
#include "recipes/tfrezeptur.h"
#include "support/testsupport.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// The standard recipe window over a small fixture database.
class TestRecipeWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_program = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    TFMain *m_main = nullptr;

    struct Recipe
    {
        const char *name;
        const char *type;
        double gesamt;
        std::array<double, 6> shares;
    };

    static void makeDatabase(const QString &path)
    {
        const Recipe recipes[] = {
            {"Zinnober", "1K", 100, {62.5, 37.5, 0, 0, 0, 0}},
            {"Ätzgrün", "1K", 100, {33.3333, 66.6667, 0, 0, 0, 0}},
            {"azur", "1K", 100, {12.3456, 0, 87.6544, 0, 0, 0}},
            {"Blau 2K", "2K", 100, {50, 50, 0, 0, 0, 0}},
            {"Müller's Rot", "1K", 1000, {625, 375, 0, 0, 0, 0}},
            {"Sechs Farben", "1K", 100, {10, 10, 20, 20, 20, 20}},
            {"Ohne Gesamt", "1K", 0, {10, 10, 0, 0, 0, 0}},
            {"Fremdtyp", "3K", 100, {100, 0, 0, 0, 0, 0}},
            {"Orange 2K", "2K", 100, {70, 30, 0, 0, 0, 0}},
        };
        TestSupport::createDatabaseFile(path, [&](QSqlDatabase &db) {
            for (const Recipe &r : recipes) {
                QSqlQuery q(db);
                q.prepare(QStringLiteral(
                    "insert into T_Farben (Rezeptname, Beschreibung, \"Farbe-1\", \"Anteil-1\", "
                    "\"Farbe-2\", \"Anteil-2\", \"Farbe-3\", \"Anteil-3\", \"Farbe-4\", \"Anteil-4\", "
                    "\"Farbe-5\", \"Anteil-5\", \"Farbe-6\", \"Anteil-6\", \"Anteil gesamt\", "
                    "Bemerkung, Farbtyp) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
                q.addBindValue(QString::fromUtf8(r.name));
                q.addBindValue(QStringLiteral("Beschreibung von %1").arg(QString::fromUtf8(r.name)));
                for (int i = 0; i < 6; ++i) {
                    q.addBindValue(r.shares[size_t(i)] != 0
                                       ? QVariant(QStringLiteral("0%1").arg(10 * (i + 1)))
                                       : QVariant());
                    q.addBindValue(r.shares[size_t(i)] != 0 ? QVariant(r.shares[size_t(i)]) : QVariant());
                }
                q.addBindValue(r.gesamt);
                q.addBindValue(QStringLiteral("Bemerkung"));
                q.addBindValue(QString::fromLatin1(r.type));
                QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
            }
        });
    }

    TFRezeptur *open(const char *command)
    {
        m_main->findChild<QAction *>(QString::fromLatin1(command))->trigger();
        auto *w = qobject_cast<TFRezeptur *>(m_main->mdiArea()->activeSubWindow()->widget());
        return w;
    }

    static QStringList names(TFRezeptur *w)
    {
        QStringList out;
        DataSet *ds = w->ADOQuery1;
        const int keep = ds->currentRow();
        for (int row = 0; row < ds->recordCount(); ++row)
            out << ds->valueAt(row, ds->fieldByName(QStringLiteral("Rezeptname"))).toString();
        ds->setCurrentRow(keep);
        return out;
    }

    static QStringList amounts(TFRezeptur *w)
    {
        QStringList out;
        for (QLineEdit *box : w->JvME_Menge)
            out << box->text();
        return out;
    }

    static QString nameBox(TFRezeptur *w)
    {
        return w->findChild<QLineEdit *>(QStringLiteral("DBEditRezeptname"))->text();
    }

private slots:
    void initTestCase()
    {
        m_program = new QTemporaryDir;
        makeDatabase(m_program->filePath(QStringLiteral("Velmora.db")));
        TFMain::setProgramFolder(m_program->path());
    }

    void cleanupTestCase() { delete m_program; }

    void init()
    {
        NumberText::setDecimalSeparator(QLatin1Char(','));
        m_dialogs = new ScriptedDialogs;
        m_main = new TFMain;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        // After the first show, which reads the stored settings.
        m_main->MengeStartwert = 1000;
    }

    void cleanup()
    {
        QCOMPARE(m_dialogs->texts("error"), QStringList());
        delete m_main;
        delete m_dialogs;
    }

    void listsOneInkSystemInGermanOrder()
    {
        TFRezeptur *one = open("Rezeptur1K1");
        QCOMPARE(one->windowTitle(), QStringLiteral("1K Rezepturen"));
        QCOMPARE(one->InkSystem, 1);
        QCOMPARE(names(one),
                 (QStringList{"Ätzgrün", "azur", "Müller's Rot", "Ohne Gesamt", "Sechs Farben", "Zinnober"}));
        TFRezeptur *two = open("Rezeptur2K1");
        QCOMPARE(two->windowTitle(), QStringLiteral("2K Rezepturen"));
        QCOMPARE(names(two), (QStringList{"Blau 2K", "Orange 2K"}));
        QVERIFY(one != two);

        // Each at most once: asking again brings the same window with its state.
        one->JvEdit1->setText(QStringLiteral("250"));
        one->ADOQuery1->next();
        QCOMPARE(open("Rezeptur1K1"), one);
        QCOMPARE(one->JvEdit1->text(), QStringLiteral("250"));
        QCOMPARE(nameBox(one), QStringLiteral("azur"));
        QCOMPARE(m_main->mdiArea()->subWindowList().size(), 2);
        // 13 visible columns; the sixth pair, remark and type stay hidden.
        QCOMPARE(one->JvDBUltimGrid1->model()->columnCount(), 13);
    }

    void amountsFollowTheCurrentRecipe()
    {
        TFRezeptur *w = open("Rezeptur1K1");
        // Opening computes the first recipe for the default total.
        QCOMPARE(w->JvEdit1->text(), QStringLiteral("1000"));
        QCOMPARE(nameBox(w), QStringLiteral("Ätzgrün"));
        QCOMPARE(amounts(w), (QStringList{" 333,333", " 666,667", "", "", ""}));

        // Navigator.
        QTest::mouseClick(w->wwDBNavigator1->button(NavigatorBar::Button::Next), Qt::LeftButton);
        QCOMPARE(nameBox(w), QStringLiteral("azur"));
        QCOMPARE(amounts(w), (QStringList{" 123,456", "", " 876,544", "", ""}));

        // A new total counts from the button on, and for the rows that follow.
        w->JvEdit1->setText(QStringLiteral("20000"));
        QCOMPARE(amounts(w).first(), QStringLiteral(" 123,456"));
        QTest::mouseClick(w->JvBitBtn1, Qt::LeftButton);
        QCOMPARE(amounts(w).first(), QStringLiteral("2469,120"));
        w->wwDBNavigator1->trigger(NavigatorBar::Button::Next);
        QCOMPARE(nameBox(w), QStringLiteral("Müller's Rot"));
        QCOMPARE(amounts(w), (QStringList{"12500,000", "7500,000", "", "", ""}));

        // Grid: choosing a row moves the window there.
        w->JvDBUltimGrid1->selectRow(4);
        QCOMPARE(nameBox(w), QStringLiteral("Sechs Farben"));
        QCOMPARE(amounts(w), (QStringList{"2000,000", "2000,000", "4000,000", "4000,000", "4000,000"}));

        // Every output is assigned on every call: nothing of the six-colour recipe stays.
        QString out[6] = {"x", "x", "x", "x", "x", "x"};
        w->ADOQuery1->setCurrentRow(5); // Zinnober: two colours
        TFMain::CalculateAmounts(*w->ADOQuery1, 1000, out[0], out[1], out[2], out[3], out[4], out[5]);
        QCOMPARE(QStringList(out, out + 6), (QStringList{" 625,000", " 375,000", "", "", "", ""}));
        QCOMPARE(amounts(w), (QStringList{"12500,000", "7500,000", "", "", ""}));
        w->ADOQuery1->setCurrentRow(4);

        // Locate and filter move the current row too.
        QVERIFY(w->ADOQuery1->locate(QStringLiteral("Rezeptname"), QStringLiteral("ohne gesamt"),
                                     DataSet::CaseInsensitive));
        QCOMPARE(amounts(w), (QStringList{"", "", "", "", ""}));
        w->ADOQuery1->setFilter([](const DataSet &ds, const QVariantList &row) {
            return row.at(ds.fieldByName(QStringLiteral("Rezeptname")).index()).toString() ==
                   QLatin1String("Zinnober");
        });
        QCOMPARE(nameBox(w), QStringLiteral("Zinnober"));
        QCOMPARE(amounts(w).first(), QStringLiteral("12500,000"));
    }

    void totalBoxInput()
    {
        TFRezeptur *w = open("Rezeptur1K1");
        const QStringList before = amounts(w);
        w->JvEdit1->clear();
        QTest::keyClicks(w->JvEdit1, QStringLiteral("25a0 "));
        QCOMPARE(w->JvEdit1->text(), QStringLiteral("250"));
        QTest::keyClick(w->JvEdit1, Qt::Key_Return);
        QCOMPARE(m_dialogs->beeps, 3);

        // Empty: nothing happens.
        w->JvEdit1->clear();
        QTest::mouseClick(w->JvBitBtn1, Qt::LeftButton);
        QCOMPARE(amounts(w), before);

        // Not a number (a lone minus, two separators, or too large): the error, boxes unchanged.
        for (const QString &bad : {QStringLiteral("-"), QStringLiteral("1,2,3"), QStringLiteral("1e400")}) {
            w->JvEdit1->setText(bad);
            QTest::mouseClick(w->JvBitBtn1, Qt::LeftButton);
            QCOMPARE(m_dialogs->texts("error"),
                     QStringList{QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(bad)});
            QCOMPARE(amounts(w), before);
            m_dialogs->shown.clear();
        }

        // Zero and negative totals empty every box.
        w->JvEdit1->setText(QStringLiteral("-0"));
        QTest::mouseClick(w->JvBitBtn1, Qt::LeftButton);
        QCOMPARE(amounts(w), (QStringList{"", "", "", "", ""}));

        // Entering the box recalculates.
        w->JvEdit1->setText(QStringLiteral("250"));
        w->JvDBUltimGrid1->setFocus();
        w->JvEdit1->setFocus();
        QTRY_COMPARE(amounts(w).first(), QStringLiteral("  83,333"));
    }

    void infoAndPrintButtons()
    {
        TFRezeptur *two = open("Rezeptur2K1");
        QString caption;
        m_dialogs->modalHandlers << [&](QDialog *d) {
            caption = d->windowTitle();
            return int(QDialog::Accepted);
        };
        QTest::mouseClick(two->findChild<QToolButton *>(QStringLiteral("wwDBNavigator1Button2")),
                          Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Info 2K"));
        QCOMPARE(WindowRegistry::window(Slot::Info2k), nullptr);
        QTest::mouseClick(two->findChild<QToolButton *>(QStringLiteral("wwDBNavigator1Button3")),
                          Qt::LeftButton);
        QCOMPARE(m_dialogs->texts("information").size(), 1);
    }

    void escapeClosesAndEmptiesTheSlot()
    {
        TFRezeptur *one = open("Rezeptur1K1");
        TFRezeptur *two = open("Rezeptur2K1");
        QPointer<TFRezeptur> gone = one;
        QTest::keyClick(one->JvEdit1, Qt::Key_Escape, Qt::ShiftModifier);
        QTRY_VERIFY(gone.isNull());
        QCOMPARE(WindowRegistry::window(Slot::Rezeptur1K), nullptr);
        QCOMPARE(WindowRegistry::window(Slot::Rezeptur2K), two);
        TFRezeptur *again = open("Rezeptur1K1");
        QCOMPARE(again->InkSystem, 1);
        QCOMPARE(m_main->mdiArea()->subWindowList().size(), 2);
    }
};

QTEST_MAIN(TestRecipeWindow)
#include "tst_recipewindow.moc"
