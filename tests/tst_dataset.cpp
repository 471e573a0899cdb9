#include "data/database.h"
#include "platform/apperror.h"
#include "platform/datagrid.h"
#include "platform/dataset.h"
#include "platform/datasetmodel.h"
#include "platform/numbertext.h"
#include "support/testsupport.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using DataSetMatch::FilterCriterion;
using DataSetMatch::MatchType;

static FilterCriterion byValue(const QString &field, const QString &value)
{
    FilterCriterion c;
    c.field = field;
    c.value = value;
    c.match = MatchType::Exact;
    return c;
}

class TestDataSet : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QSqlDatabase m_db;

    // Five recipes, deliberately inserted out of name order.
    void fill()
    {
        Database::exec(m_db, QStringLiteral("DELETE FROM T_Farben"));
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("INSERT INTO T_Farben (Rezeptname, Beschreibung, \"Anteil-1\", \"Anteil gesamt\", Farbtyp) "
                                 "VALUES (?, ?, ?, ?, ?)"));
        const QList<QVariantList> rows = {
            {"Delta", "vierte", 40.0, 100.0, "1K"},
            {"Alpha", "erste", 10.5, 100.0, "1K"},
            {"Echo", "fünfte", QVariant(), QVariant(), "2K"},
            {"Bravo", "zweite", 20.0, 100.0, "1K"},
            {"Charlie", "dritte", 30.25, 100.0, "2K"},
        };
        for (const auto &r : rows) {
            for (const auto &v : r)
                q.addBindValue(v);
            QVERIFY(q.exec());
        }
    }

    void openRecipes(DataSet &ds)
    {
        ds.setObjectName(QStringLiteral("ADOQuery1"));
        ds.setStatement({QStringLiteral("select * from T_Farben"), QStringLiteral("order by Rezeptname")});
        ds.open();
    }

    QStringList namesInDb()
    {
        QStringList out;
        QSqlQuery q(QStringLiteral("SELECT Rezeptname FROM T_Farben ORDER BY Rezeptname"), m_db);
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_db = TestSupport::createDatabase(m_dir.path());
        QVERIFY(m_db.isOpen());
    }

    void init()
    {
        fill();
        NumberText::setDecimalSeparator(QLatin1Char(','));
    }

    void openAndNavigate()
    {
        DataSet ds;
        QSignalSpy scrolls(&ds, &DataSet::afterScroll);
        openRecipes(ds);
        QCOMPARE(ds.recordCount(), 5);
        QCOMPARE(scrolls.count(), 1);
        // The key column stays out of the field list.
        QCOMPARE(ds.fieldCount(), 17);
        QCOMPARE(ds.field(0).fieldName(), QStringLiteral("Rezeptname"));
        QCOMPARE(ds.keyTable(), QStringLiteral("T_Farben"));
        QVERIFY(ds.isBof());
        QVERIFY(!ds.isEof());
        QCOMPARE(ds.fieldByName("rezeptname").asString(), QStringLiteral("Alpha"));

        ds.prior();
        QVERIFY(ds.isBof());
        QCOMPARE(ds.currentRow(), 0);
        QCOMPARE(scrolls.count(), 1);

        ds.next();
        QVERIFY(!ds.isBof());
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Bravo"));
        QCOMPARE(ds.moveBy(10), 3);
        QVERIFY(ds.isEof());
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Echo"));
        ds.next();
        QVERIFY(ds.isEof());
        QCOMPARE(ds.moveBy(-2), -2);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Charlie"));
        ds.last();
        QVERIFY(ds.isEof());
        ds.first();
        QVERIFY(ds.isBof());

        // Walking to the end as a report does.
        QStringList walked;
        for (ds.first(); !ds.isEof(); ds.next())
            walked << ds.fieldByName("Rezeptname").asString();
        QCOMPARE(walked, QStringList({"Alpha", "Bravo", "Charlie", "Delta", "Echo"}));
    }

    void emptyAndClosed()
    {
        DataSet ds;
        ds.setStatement({QStringLiteral("select * from T_Farben where Farbtyp = 'XX'")});
        QVERIFY_THROWS_EXCEPTION(AppError, ds.first());
        ds.open();
        QVERIFY(ds.isBof() && ds.isEof());
        QCOMPARE(ds.currentRow(), -1);
        QCOMPARE(ds.fieldByName("Anteil gesamt").asDouble(), 0.0);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QString());
        QVERIFY_THROWS_EXCEPTION(AppError, ds.remove());
        // Changing the statement closes the set.
        ds.addLine(QStringLiteral("order by Rezeptname"));
        QVERIFY(!ds.isActive());
    }

    void fieldsAndValues()
    {
        DataSet ds;
        openRecipes(ds);
        ds.last(); // Echo: shares are null
        QCOMPARE(ds.fieldByName("Anteil Gesamt").fieldName(), QStringLiteral("Anteil gesamt"));
        QCOMPARE(ds.fieldByName("Anteil Gesamt").asDouble(), 0.0);
        QVERIFY(ds.fieldByName("Anteil-1").isNull());
        QCOMPARE(ds.fieldByName("Anteil-1").displayText(), QString());
        QVERIFY_THROWS_EXCEPTION(AppError, ds.fieldByName("Nope"));
        QVERIFY(!ds.findField("Nope"));

        ds.first(); // Alpha, 10.5
        DataField &share = ds.fieldByName("Anteil-1");
        share.setDisplayFormat(QStringLiteral("0.000"));
        QCOMPARE(share.displayText(), QStringLiteral("10,500"));
        QCOMPARE(share.asString(), QStringLiteral("10,5"));
        NumberText::setDecimalSeparator(QLatin1Char('.'));
        QCOMPARE(share.displayText(), QStringLiteral("10.500"));
        QCOMPARE(share.asDouble(), 10.5);
        QCOMPARE(ds.field(share.index()).fieldName(), QStringLiteral("Anteil-1"));

        // Writing needs edit or insert state.
        QVERIFY_THROWS_EXCEPTION(AppError, share.setAsDouble(1.0));
    }

    void postEditAndInsert()
    {
        DataSet ds;
        openRecipes(ds);
        QSignalSpy posts(&ds, &DataSet::afterPost);
        QSignalSpy inserts(&ds, &DataSet::afterInsert);

        ds.locate("Rezeptname", "Bravo");
        ds.edit();
        QCOMPARE(ds.state(), DataSet::State::Edit);
        ds.fieldByName("Rezeptname").setAsString(QStringLiteral("O'Brien"));
        ds.fieldByName("Anteil-1").setAsString(QStringLiteral("12,5"));
        QVERIFY_THROWS_EXCEPTION(AppError, ds.fieldByName("Anteil-2").setAsString(QStringLiteral("1.2.3")));
        ds.post();
        QCOMPARE(ds.state(), DataSet::State::Browse);
        QCOMPARE(posts.count(), 1);
        QSqlQuery q(QStringLiteral("SELECT \"Anteil-1\" FROM T_Farben WHERE Rezeptname = 'O''Brien'"), m_db);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toDouble(), 12.5);

        // Insert comes before the current row and stays there after the post.
        ds.first();
        ds.next(); // O'Brien still at its old place until refresh
        ds.insert();
        QCOMPARE(inserts.count(), 1);
        QCOMPARE(ds.currentRow(), 1);
        QCOMPARE(ds.recordCount(), 6);
        QVERIFY(ds.fieldByName("Rezeptname").isNull());
        ds.fieldByName("Rezeptname").setAsString(QStringLiteral("Rot 'spezial'"));
        ds.fieldByName("Farbtyp").setValue(QStringLiteral("2K"));
        ds.post();
        QCOMPARE(ds.currentRow(), 1);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Rot 'spezial'"));
        QVERIFY(namesInDb().contains(QStringLiteral("Rot 'spezial'")));

        // The new row has its key: it can be changed and removed at once.
        ds.edit();
        ds.fieldByName("Beschreibung").setAsString(QStringLiteral("neu"));
        ds.post();
        QSqlQuery q2(QStringLiteral("SELECT Beschreibung FROM T_Farben WHERE Rezeptname = 'Rot ''spezial'''"), m_db);
        QVERIFY(q2.next());
        QCOMPARE(q2.value(0).toString(), QStringLiteral("neu"));
    }

    void cancelAndRemove()
    {
        DataSet ds;
        openRecipes(ds);
        QSignalSpy cancels(&ds, &DataSet::afterCancel);
        ds.next(); // Bravo
        ds.edit();
        ds.fieldByName("Rezeptname").setAsString(QStringLiteral("Geändert"));
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Geändert"));
        ds.cancel();
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Bravo"));
        QCOMPARE(cancels.count(), 1);

        ds.insert();
        ds.cancel();
        QCOMPARE(ds.recordCount(), 5);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Bravo"));

        ds.remove();
        QCOMPARE(ds.recordCount(), 4);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Charlie"));
        QCOMPARE(namesInDb(), QStringList({"Alpha", "Charlie", "Delta", "Echo"}));
        ds.last();
        ds.remove();
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Delta"));
        QVERIFY(ds.isEof());
    }

    void readOnlyStatements()
    {
        DataSet ds;
        ds.setStatement({QStringLiteral("select Rezeptname, count(*) as n from T_Farben group by Rezeptname")});
        ds.open();
        QCOMPARE(ds.fieldCount(), 2);
        QVERIFY(!ds.canModify());
        QVERIFY_THROWS_EXCEPTION(AppError, ds.edit());
        QVERIFY_THROWS_EXCEPTION(AppError, ds.insert());
    }

    void databaseErrorsCarryDriverText()
    {
        DataSet ds;
        ds.setStatement({QStringLiteral("select * from T_Nirgends")});
        try {
            ds.open();
            QFAIL("open must fail");
        } catch (const AppError &e) {
            QVERIFY2(e.text().contains(QStringLiteral("no such table")), qPrintable(e.text()));
        }
        QVERIFY(!ds.isActive());
    }

    void boundValuesAndExecute()
    {
        DataSet cmd;
        cmd.setStatement({QStringLiteral("update T_Farben set Bemerkung = :b where Rezeptname = :n")});
        cmd.bindValue(QStringLiteral("b"), QStringLiteral("it's fine"));
        cmd.bindValue(QStringLiteral(":n"), QStringLiteral("Alpha"));
        QCOMPARE(cmd.execute(), 1);

        DataSet ds;
        ds.setStatement({QStringLiteral("select * from T_Farben where Bemerkung = :b")});
        ds.bindValue(QStringLiteral("b"), QStringLiteral("it's fine"));
        ds.open();
        QCOMPARE(ds.recordCount(), 1);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Alpha"));
    }

    void refreshKeepsRowAndFields()
    {
        DataSet ds;
        openRecipes(ds);
        DataField *name = &ds.fieldByName("Rezeptname");
        name->setDisplayWidth(15);
        ds.locate("Rezeptname", "Charlie");
        Database::exec(m_db, QStringLiteral("INSERT INTO T_Farben (Rezeptname) VALUES ('Aaron')"));
        ds.refresh();
        QCOMPARE(ds.recordCount(), 6);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Charlie"));
        QCOMPARE(&ds.fieldByName("Rezeptname"), name);
        QCOMPARE(name->displayWidth(), 15);
        // Close and open keep them too.
        ds.close();
        ds.open();
        QCOMPARE(&ds.fieldByName("Rezeptname"), name);
        QCOMPARE(name->displayWidth(), 15);
    }

    void bookmarks()
    {
        DataSet ds;
        openRecipes(ds);
        ds.locate("Rezeptname", "Delta");
        const DataSet::Bookmark b = ds.bookmark();
        ds.first();
        QVERIFY(ds.gotoBookmark(b));
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Delta"));

        // Survives refresh and a filter that keeps the row; not one that hides it.
        ds.first();
        ds.refresh();
        QVERIFY(ds.gotoBookmark(b));
        ds.setFilterCriteria({byValue("Farbtyp", "1K")});
        ds.first();
        QVERIFY(ds.gotoBookmark(b));
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Delta"));
        ds.setFilterCriteria({byValue("Farbtyp", "2K")});
        QVERIFY(!ds.bookmarkValid(b));
        QVERIFY(!ds.gotoBookmark(b));
        ds.clearFilter();
        QVERIFY(ds.gotoBookmark(b));
        ds.remove();
        QVERIFY(!ds.gotoBookmark(b));
    }

    void filter_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("byRange");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<int>("match");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("nonMatching");
        QTest::addColumn<QStringList>("names");
        const int exact = int(MatchType::Exact), begin = int(MatchType::Beginning), any = int(MatchType::Anywhere);
        QTest::newRow("exact any case") << "Rezeptname" << false << "bravo" << "" << "" << exact << false << false
                                        << QStringList{"Bravo"};
        QTest::newRow("exact case-sensitive") << "Rezeptname" << false << "bravo" << "" << "" << exact << true << false
                                              << QStringList{};
        QTest::newRow("beginning") << "Beschreibung" << false << "f" << "" << "" << begin << false << false
                                   << QStringList{"Echo"};
        QTest::newRow("anywhere") << "Beschreibung" << false << "te" << "" << "" << any << false << false
                                  << QStringList{"Alpha", "Bravo", "Charlie", "Delta", "Echo"};
        QTest::newRow("non-matching") << "Farbtyp" << false << "1K" << "" << "" << exact << false << true
                                      << QStringList{"Charlie", "Echo"};
        QTest::newRow("numeric range") << "Anteil-1" << true << "" << "20" << "30,25" << exact << false << false
                                       << QStringList{"Bravo", "Charlie"};
        QTest::newRow("open range skips null") << "Anteil-1" << true << "" << "" << "15" << exact << false << false
                                               << QStringList{"Alpha"};
        QTest::newRow("text range") << "Rezeptname" << true << "" << "b" << "d" << exact << false << false
                                    << QStringList{"Bravo", "Charlie"};
        QTest::newRow("number as text") << "Anteil-1" << false << "30,25" << "" << "" << exact << false << false
                                        << QStringList{"Charlie"};
    }

    void filter()
    {
        QFETCH(QString, field);
        QFETCH(bool, byRange);
        QFETCH(QString, value);
        QFETCH(QString, minimum);
        QFETCH(QString, maximum);
        QFETCH(int, match);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, nonMatching);
        QFETCH(QStringList, names);

        DataSet ds;
        openRecipes(ds);
        QSignalSpy scrolls(&ds, &DataSet::afterScroll);
        ds.setFilterCriteria({FilterCriterion{field, byRange, value, minimum, maximum, MatchType(match), caseSensitive,
                                              nonMatching}});
        QCOMPARE(scrolls.count(), 1);
        QStringList got;
        for (ds.first(); !ds.isEof(); ds.next())
            got << ds.fieldByName("Rezeptname").asString();
        QCOMPARE(got, names);
        ds.clearFilter();
        QCOMPARE(ds.recordCount(), 5);
    }

    void filterPredicateAndBadBound()
    {
        DataSet ds;
        openRecipes(ds);
        const int col = ds.fieldByName("Anteil-1").index();
        Q_UNUSED(col);
        ds.setFilter([](const DataSet &d, const QVariantList &row) {
            return row.value(d.fieldByName("Farbtyp").index()).toString() == QLatin1String("2K");
        });
        QCOMPARE(ds.recordCount(), 2);
        // A range bound that is no number is refused and the filter stays.
        FilterCriterion bad;
        bad.field = QStringLiteral("Anteil-1");
        bad.byRange = true;
        bad.minimum = QStringLiteral("x");
        QVERIFY_THROWS_EXCEPTION(AppError, ds.setFilterCriteria({bad}));
        QCOMPARE(ds.recordCount(), 2);
        ds.clearFilter();
        QCOMPARE(ds.recordCount(), 5);
    }

    void locate_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("found"); // empty = not found
        const int ci = DataSet::CaseInsensitive, partial = DataSet::PartialKey, any = DataSet::Anywhere;
        QTest::newRow("exact") << "Rezeptname" << QVariant("Delta") << 0 << "Delta";
        QTest::newRow("exact wrong case") << "Rezeptname" << QVariant("delta") << 0 << "";
        QTest::newRow("case-insensitive") << "Rezeptname" << QVariant("delta") << ci << "Delta";
        QTest::newRow("partial") << "Rezeptname" << QVariant("Ch") << partial << "Charlie";
        QTest::newRow("partial needs exact start") << "Rezeptname" << QVariant("harl") << partial << "";
        QTest::newRow("anywhere") << "Rezeptname" << QVariant("HARL") << (any | ci) << "Charlie";
        QTest::newRow("number") << "Anteil-1" << QVariant(30.25) << 0 << "Charlie";
        QTest::newRow("field name any case") << "beschreibung" << QVariant("fünfte") << 0 << "Echo";
    }

    void locate()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(int, options);
        QFETCH(QString, found);
        DataSet ds;
        openRecipes(ds);
        ds.next();
        const bool ok = ds.locate(field, value, DataSet::LocateOptions(options));
        QCOMPARE(ok, !found.isEmpty());
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), found.isEmpty() ? QStringLiteral("Bravo") : found);
    }

    void pendingChangePostedBeforeMove()
    {
        DataSet ds;
        openRecipes(ds);
        ds.edit();
        ds.fieldByName("Beschreibung").setAsString(QStringLiteral("bewegt"));
        ds.next();
        QCOMPARE(ds.state(), DataSet::State::Browse);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Bravo"));
        QSqlQuery q(QStringLiteral("SELECT Beschreibung FROM T_Farben WHERE Rezeptname = 'Alpha'"), m_db);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("bewegt"));

        // An untouched new row is dropped by a move; the move starts from the row before it.
        ds.insert();
        ds.next();
        QCOMPARE(ds.recordCount(), 5);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Charlie"));
    }

    void silentAbortKeepsStateAndStopsMove()
    {
        DataSet ds;
        openRecipes(ds);
        int calls = 0;
        bool refuse = true;
        ds.setBeforePost([&](DataSet &) {
            ++calls;
            if (refuse)
                throw SilentAbort();
        });
        QSignalSpy posts(&ds, &DataSet::afterPost);
        ds.next(); // Bravo
        ds.edit();
        ds.fieldByName("Anteil-1").setAsDouble(99.0);

        QVERIFY_THROWS_EXCEPTION(SilentAbort, ds.next());
        QVERIFY_THROWS_EXCEPTION(SilentAbort, ds.locate("Rezeptname", "Echo"));
        QVERIFY_THROWS_EXCEPTION(SilentAbort, ds.insert());
        QVERIFY_THROWS_EXCEPTION(SilentAbort, ds.post());
        QCOMPARE(calls, 4);
        QCOMPARE(posts.count(), 0);
        QCOMPARE(ds.state(), DataSet::State::Edit);
        QCOMPARE(ds.currentRow(), 1);
        QCOMPARE(ds.recordCount(), 5);
        QCOMPARE(ds.fieldByName("Anteil-1").asDouble(), 99.0);
        QSqlQuery q(QStringLiteral("SELECT \"Anteil-1\" FROM T_Farben WHERE Rezeptname = 'Bravo'"), m_db);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toDouble(), 20.0);

        refuse = false;
        ds.next();
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Charlie"));
        QCOMPARE(posts.count(), 1);
    }

    void fieldLayouts()
    {
        DataSet ds;
        openRecipes(ds);
        QCOMPARE(ds.layoutKeyPrefix(), QStringLiteral("ADOQuery1"));
        ds.fieldByName("Bemerkung").setVisible(false);
        QList<FieldLayout> layouts = ds.fieldLayouts();
        QCOMPARE(layouts.size(), 17);
        QCOMPARE(layouts[0].fieldName, QStringLiteral("Rezeptname"));
        QCOMPARE(layouts[15].fieldName, QStringLiteral("Bemerkung"));
        QVERIFY(!layouts[15].visible);

        QSignalSpy changed(&ds, &DataSet::fieldsChanged);
        ds.applyFieldLayouts({{"Beschreibung", 0, 30, true}, {"Rezeptname", 1, 12, false}, {"Unbekannt", 2, 5, true}});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(ds.field(0).fieldName(), QStringLiteral("Beschreibung"));
        QCOMPARE(ds.field(0).displayWidth(), 30);
        QCOMPARE(ds.field(1).fieldName(), QStringLiteral("Rezeptname"));
        QCOMPARE(ds.field(1).displayWidth(), 12);
        QVERIFY(ds.field(1).isVisible()); // visibility is not applied
    }

    void modelAndGridFollowBothWays()
    {
        DataSet ds;
        openRecipes(ds);
        for (const char *hidden : {"Bemerkung", "Farbtyp", "Farbe-6", "Anteil-6"})
            ds.fieldByName(hidden).setVisible(false);
        ds.fieldByName("Rezeptname").setDisplayWidth(15);
        ds.fieldByName("Anteil-1").setDisplayFormat(QStringLiteral("0.000"));

        DataGrid grid;
        grid.setDataSet(&ds);
        grid.resize(600, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        DataSetModel *model = grid.dataSetModel();
        QCOMPARE(model->columnCount(), 13);
        QCOMPARE(model->rowCount(), 5);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Rezeptname"));
        QCOMPARE(model->index(2, ds.fieldByName("Anteil-1").index()).data().toString(), QStringLiteral("30,250"));
        QCOMPARE(grid.columnWidth(0), grid.pixelsForCharacters(15));
        QCOMPARE(grid.rowHeight(0), 17);
        QCOMPARE(grid.horizontalHeader()->height(), 17);

        // Data set to grid.
        QCOMPARE(grid.currentIndex().row(), 0);
        ds.moveBy(3);
        QCOMPARE(grid.currentIndex().row(), 3);
        // Grid to data set.
        grid.selectRow(1);
        QCOMPARE(ds.currentRow(), 1);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Bravo"));

        // Edits show at once; insert and cancel keep rows and selection in step.
        ds.edit();
        ds.fieldByName("Rezeptname").setAsString(QStringLiteral("Bravissimo"));
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("Bravissimo"));
        ds.cancel();
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("Bravo"));
        ds.insert();
        QCOMPARE(model->rowCount(), 6);
        QCOMPARE(grid.currentIndex().row(), 1);
        grid.selectRow(4); // drops the untouched new row: old row 3 (Delta)
        QCOMPARE(model->rowCount(), 5);
        QCOMPARE(ds.fieldByName("Rezeptname").asString(), QStringLiteral("Delta"));
        QCOMPARE(grid.currentIndex().row(), 3);

        // A refused move puts the selection back.
        ds.setBeforePost([](DataSet &) { throw SilentAbort(); });
        ds.edit();
        ds.fieldByName("Beschreibung").setAsString(QStringLiteral("x"));
        grid.selectRow(0);
        QCOMPARE(ds.currentRow(), 3);
        QCOMPARE(grid.currentIndex().row(), 3);
        ds.cancel();

        // Hiding a field drops its column.
        ds.fieldByName("Beschreibung").setVisible(false);
        QCOMPARE(model->columnCount(), 12);
        QCOMPARE(grid.currentIndex().row(), 3);

        // Filter and close reset the rows.
        ds.setFilterCriteria({byValue("Farbtyp", "2K")});
        QCOMPARE(model->rowCount(), 2);
        ds.close();
        QCOMPARE(model->rowCount(), 0);
    }
};

QTEST_MAIN(TestDataSet)
#include "tst_dataset.moc"
