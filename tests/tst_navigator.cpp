#include "data/database.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/filterdialog.h"
#include "platform/locatedialog.h"
#include "platform/navigatorbar.h"
#include "platform/navigatortexts.h"
#include "platform/recordviewdialog.h"
#include "support/testsupport.h"

#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using B = NavigatorBar::Button;

class TestNavigator : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QSqlDatabase m_db;

    void fill(int count)
    {
        Database::exec(m_db, QStringLiteral("DELETE FROM T_Farbverbrauch"));
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("INSERT INTO T_Farbverbrauch VALUES (?, ?, ?)"));
        for (int i = 0; i < count; ++i) {
            q.addBindValue(QStringLiteral("Gewebe %1").arg(i, 2, 10, QLatin1Char('0')));
            q.addBindValue(1.0);
            q.addBindValue(double(i));
            QVERIFY(q.exec());
        }
    }

    void open(DataSet &ds)
    {
        ds.setStatement({QStringLiteral("select * from T_Farbverbrauch"), QStringLiteral("order by Siebgewebe")});
        ds.open();
    }

    static QToolButton *btn(NavigatorBar &bar, B b) { return bar.findChild<QToolButton *>(NavigatorBar::objectNameOf(b)); }

    static const QList<B> &allButtons()
    {
        static const QList<B> all = {B::First, B::PriorPage, B::Prior, B::Next, B::NextPage, B::Last,
                                     B::Insert, B::Delete, B::Edit, B::Post, B::Cancel, B::Refresh,
                                     B::SaveBookmark, B::RestoreBookmark, B::FilterDialog, B::LocateDialog,
                                     B::RecordViewDialog};
        return all;
    }

    QString current(DataSet &ds) { return ds.fieldByName("Siebgewebe").asString(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_db = TestSupport::createDatabase(m_dir.path());
    }

    void init()
    {
        fill(25);
        NavigatorTexts::instance().switchInfoPowerTexts(0);
    }

    void enableStatesAndPageMoves()
    {
        DataSet ds;
        NavigatorBar bar;
        bar.addButtons(allButtons());
        QToolButton *custom = bar.addCustomButton(QStringLiteral("wwDBNavigator1Button3"), QIcon(),
                                                  QStringLiteral("Drucken"), QStringLiteral("&Drucken"));
        bar.setDataSet(&ds);
        for (B b : allButtons())
            QVERIFY2(!btn(bar, b)->isEnabled(), qPrintable(NavigatorBar::objectNameOf(b)));
        QCOMPARE(btn(bar, B::Next)->size(), QSize(25, 25));
        QVERIFY(btn(bar, B::Next)->autoRepeat());
        QCOMPARE(btn(bar, B::Next)->autoRepeatDelay(), 500);
        QCOMPARE(btn(bar, B::Next)->autoRepeatInterval(), 100);
        QCOMPARE(custom->accessibleName(), QStringLiteral("Drucken"));

        open(ds);
        QVERIFY(!btn(bar, B::First)->isEnabled());
        QVERIFY(!btn(bar, B::PriorPage)->isEnabled());
        QVERIFY(btn(bar, B::Next)->isEnabled());
        QVERIFY(btn(bar, B::Insert)->isEnabled());
        QVERIFY(btn(bar, B::Edit)->isEnabled());
        QVERIFY(!btn(bar, B::Post)->isEnabled());
        QVERIFY(!btn(bar, B::Cancel)->isEnabled());
        QVERIFY(!btn(bar, B::RestoreBookmark)->isEnabled());

        QTest::mouseClick(btn(bar, B::NextPage), Qt::LeftButton);
        QCOMPARE(ds.currentRow(), 10);
        QTest::mouseClick(btn(bar, B::NextPage), Qt::LeftButton);
        QTest::mouseClick(btn(bar, B::NextPage), Qt::LeftButton);
        QCOMPARE(ds.currentRow(), 24);
        QVERIFY(!btn(bar, B::Next)->isEnabled());
        QVERIFY(!btn(bar, B::Last)->isEnabled());
        QTest::mouseClick(btn(bar, B::PriorPage), Qt::LeftButton);
        QCOMPARE(ds.currentRow(), 14);
        QTest::mouseClick(btn(bar, B::Prior), Qt::LeftButton);
        QCOMPARE(ds.currentRow(), 13);

        // Bookmark, move away, come back.
        QTest::mouseClick(btn(bar, B::SaveBookmark), Qt::LeftButton);
        QVERIFY(btn(bar, B::RestoreBookmark)->isEnabled());
        QTest::mouseClick(btn(bar, B::First), Qt::LeftButton);
        QCOMPARE(ds.currentRow(), 0);
        QTest::mouseClick(btn(bar, B::RestoreBookmark), Qt::LeftButton);
        QCOMPARE(current(ds), QStringLiteral("Gewebe 13"));

        // Editing swaps edit for post and cancel.
        QTest::mouseClick(btn(bar, B::Edit), Qt::LeftButton);
        QVERIFY(btn(bar, B::Post)->isEnabled());
        QVERIFY(btn(bar, B::Cancel)->isEnabled());
        QVERIFY(!btn(bar, B::Edit)->isEnabled());
        ds.fieldByName("Farbverbrauch").setAsDouble(99);
        QTest::mouseClick(btn(bar, B::Post), Qt::LeftButton);
        QCOMPARE(ds.state(), DataSet::State::Browse);
        QVERIFY(!btn(bar, B::Post)->isEnabled());

        // An empty result leaves insert, refresh and the filter.
        ds.setFilter([](const DataSet &, const QVariantList &) { return false; });
        for (B b : allButtons()) {
            const bool expected = b == B::Insert || b == B::Edit || b == B::Refresh || b == B::FilterDialog;
            QVERIFY2(btn(bar, b)->isEnabled() == expected, qPrintable(NavigatorBar::objectNameOf(b)));
        }
    }

    void readOnlySetOffersNoChanges()
    {
        DataSet ds;
        ds.setStatement({QStringLiteral("select Siebgewebe from T_Farbverbrauch where Farbverbrauch > 0 "
                                        "union select 'x'")});
        NavigatorBar bar;
        bar.addButtons({B::Insert, B::Delete, B::Edit, B::Next});
        bar.setDataSet(&ds);
        ds.open();
        QVERIFY(btn(bar, B::Next)->isEnabled());
        QVERIFY(!btn(bar, B::Insert)->isEnabled());
        QVERIFY(!btn(bar, B::Delete)->isEnabled());
        QVERIFY(!btn(bar, B::Edit)->isEnabled());
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("question");
        QTest::newRow("German, no") << 0 << false << "Datensatz löschen?";
        QTest::newRow("German, yes") << -1 << true << "Datensatz löschen?";
        QTest::newRow("English, yes") << 1 << true << "Delete record?";
    }

    void deleteAsksFirst()
    {
        QFETCH(int, language);
        QFETCH(bool, answer);
        QFETCH(QString, question);
        NavigatorTexts::instance().switchInfoPowerTexts(language);
        ScriptedDialogs dialogs;
        dialogs.confirmAnswers = {answer};
        DataSet ds;
        NavigatorBar bar;
        bar.addButton(B::Delete);
        bar.setDataSet(&ds);
        open(ds);
        ds.next();
        QTest::mouseClick(btn(bar, B::Delete), Qt::LeftButton);
        QCOMPARE(dialogs.texts("confirm"), QStringList{question});
        QCOMPARE(ds.recordCount(), answer ? 24 : 25);
        QCOMPARE(current(ds), answer ? QStringLiteral("Gewebe 02") : QStringLiteral("Gewebe 01"));
        QSqlQuery q(QStringLiteral("SELECT count(*) FROM T_Farbverbrauch"), m_db);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), answer ? 24 : 25);
    }

    void textSetSwitchUpdatesExistingBar()
    {
        NavigatorBar bar;
        bar.addButtons({B::First, B::NextPage});
        QCOMPARE(btn(bar, B::First)->toolTip(), QStringLiteral("Zum ersten Datensatz"));
        QCOMPARE(btn(bar, B::NextPage)->toolTip(), QStringLiteral("Vorwärts 10 Datensätze"));
        QCOMPARE(btn(bar, B::NextPage)->accessibleName(), QStringLiteral("Vorwärts 10 Datensätze"));

        auto &texts = NavigatorTexts::instance();
        texts.switchInfoPowerTexts(1);
        QCOMPARE(btn(bar, B::First)->toolTip(), QStringLiteral("Move to first record"));
        QCOMPARE(btn(bar, B::NextPage)->accessibleName(), QStringLiteral("Move forward 10 records"));
        texts.switchInfoPowerTexts(2); // other languages leave the set alone
        QCOMPARE(texts.language(), NavigatorTexts::Language::English);
        texts.switchInfoPowerTexts(-1);
        QCOMPARE(btn(bar, B::First)->toolTip(), QStringLiteral("Zum ersten Datensatz"));
    }

    void locateDialogMessages()
    {
        ScriptedDialogs dialogs;
        DataSet ds;
        open(ds);
        LocateDialog dlg(&ds);
        dlg.setFieldName(QStringLiteral("siebgewebe"));
        dlg.setValue(QStringLiteral("gewebe 2"));
        dlg.setMatchType(DataSetMatch::MatchType::Beginning);
        QVERIFY(dlg.findFirst());
        QCOMPARE(current(ds), QStringLiteral("Gewebe 20"));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(dlg.findNext());
        QCOMPARE(current(ds), QStringLiteral("Gewebe 24"));
        QVERIFY(!dlg.findNext());
        QCOMPARE(dialogs.texts("information"), QStringList{"Keine weiteren Einträge gefunden"});

        dlg.setCaseSensitive(true);
        QVERIFY(!dlg.findFirst());
        QCOMPARE(dialogs.texts("information").last(), QStringLiteral("Nichts Passendes gefunden"));
        QCOMPARE(current(ds), QStringLiteral("Gewebe 24"));

        // Through the navigator, driven by the scripted modal handler; English messages.
        NavigatorTexts::instance().switchInfoPowerTexts(1);
        dialogs.clear();
        NavigatorBar bar;
        bar.addButton(B::LocateDialog);
        bar.setDataSet(&ds);
        dialogs.modalHandlers.append([](QDialog *d) {
            auto *locate = qobject_cast<LocateDialog *>(d);
            locate->setValue(QStringLiteral("Gewebe 07"));
            locate->setMatchType(DataSetMatch::MatchType::Exact);
            locate->findFirst();
            locate->setValue(QStringLiteral("zzz"));
            locate->findFirst();
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(btn(bar, B::LocateDialog), Qt::LeftButton);
        QCOMPARE(dialogs.texts("modal"), QStringList{"LocateDialog"});
        QCOMPARE(current(ds), QStringLiteral("Gewebe 07"));
        QCOMPARE(dialogs.texts("information"), QStringList{"No matches found"});
    }

    void filterDialog()
    {
        ScriptedDialogs dialogs;
        DataSet ds;
        open(ds);
        NavigatorBar bar;
        bar.addButton(B::FilterDialog);
        bar.setDataSet(&ds);

        // Applying nothing says so and keeps the dialog open.
        dialogs.modalHandlers.append([](QDialog *d) {
            auto *filter = qobject_cast<FilterDialog *>(d);
            const bool applied = filter->apply();
            return applied ? int(QDialog::Accepted) : d->result();
        });
        QTest::mouseClick(btn(bar, B::FilterDialog), Qt::LeftButton);
        QCOMPARE(dialogs.texts("information"), QStringList{"Sie haben keine Suchkriterien gewählt"});
        QVERIFY(!ds.isFiltered());

        // A range on one field and a value on another.
        dialogs.modalHandlers.append([](QDialog *d) {
            auto *filter = qobject_cast<FilterDialog *>(d);
            DataSetMatch::FilterCriterion range;
            range.field = QStringLiteral("Farbverbrauch");
            range.byRange = true;
            range.minimum = QStringLiteral("5");
            range.maximum = QStringLiteral("15");
            filter->setCriterion(range);
            DataSetMatch::FilterCriterion value;
            value.field = QStringLiteral("Siebgewebe");
            value.value = QStringLiteral("1");
            value.match = DataSetMatch::MatchType::Anywhere;
            value.nonMatching = true;
            filter->setCriterion(value);
            filter->apply();
            return d->result();
        });
        QTest::mouseClick(btn(bar, B::FilterDialog), Qt::LeftButton);
        QStringList names;
        for (ds.first(); !ds.isEof(); ds.next())
            names << current(ds);
        // 5..15 without a "1" in the name.
        QCOMPARE(names, QStringList({"Gewebe 05", "Gewebe 06", "Gewebe 07", "Gewebe 08", "Gewebe 09"}));

        // The dialog comes back with the criteria in force and can take the filter off.
        dialogs.modalHandlers.append([](QDialog *d) {
            auto *filter = qobject_cast<FilterDialog *>(d);
            if (filter->criteria().size() != 2)
                return -1;
            filter->removeFilter();
            return d->result();
        });
        QTest::mouseClick(btn(bar, B::FilterDialog), Qt::LeftButton);
        QVERIFY(!ds.isFiltered());
        QCOMPARE(ds.recordCount(), 25);
    }

    void recordView()
    {
        ScriptedDialogs dialogs;
        DataSet ds;
        open(ds);
        ds.moveBy(3);
        {
            RecordViewDialog view(&ds);
            QVERIFY(view.isEditable());
            QLineEdit *edit = view.valueEdit(QStringLiteral("Siebgewebe"));
            QCOMPARE(edit->text(), QStringLiteral("Gewebe 03"));
            edit->setText(QStringLiteral("Gewebe 'drei'"));
            edit->setModified(true);
            dialogs.confirmAnswers = {true};
            view.reject(); // asks, then saves
        }
        QCOMPARE(current(ds), QStringLiteral("Gewebe 'drei'"));
        QCOMPARE(ds.state(), DataSet::State::Browse);

        DataSet ro;
        ro.setStatement({QStringLiteral("select Siebgewebe, Farbverbrauch from T_Farbverbrauch")});
        ro.open();
        RecordViewDialog view(&ro);
        QVERIFY(!view.isEditable());
        QVERIFY(view.valueEdit(QStringLiteral("farbverbrauch"))->isReadOnly());
    }
};

QTEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
