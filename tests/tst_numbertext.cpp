#include "platform/apperror.h"
#include "platform/numbertext.h"

#include <QTest>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { NumberText::setDecimalSeparator(QLatin1Char('.')); }

    void toDouble_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("de comma") << "," << "12,5" << true << 12.5;
        QTest::newRow("de point refused") << "," << "12.5" << false << 0.0;
        QTest::newRow("de grouping refused") << "," << "1.000,5" << false << 0.0;
        QTest::newRow("en point") << "." << "12.5" << true << 12.5;
        QTest::newRow("en comma refused") << "." << "12,5" << false << 0.0;
        QTest::newRow("blanks around") << "." << "  7 " << true << 7.0;
        QTest::newRow("leading separator") << "," << ",5" << true << 0.5;
        QTest::newRow("trailing separator") << "," << "5," << true << 5.0;
        QTest::newRow("exponent") << "." << "1e3" << true << 1000.0;
        QTest::newRow("minus zero") << "." << "-0" << true << -0.0;
        QTest::newRow("lone minus") << "," << "-" << false << 0.0;
        QTest::newRow("two separators") << "," << "1,2,3" << false << 0.0;
        QTest::newRow("empty") << "," << "" << false << 0.0;
        QTest::newRow("too large") << "." << "1e400" << false << 0.0;
        QTest::newRow("inf") << "." << "inf" << false << 0.0;
        QTest::newRow("nan") << "." << "nan" << false << 0.0;
        QTest::newRow("hex") << "." << "0x10" << false << 0.0;
        QTest::newRow("exponent without digits") << "." << "1e" << false << 0.0;
    }

    void toDouble()
    {
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        NumberText::setDecimalSeparator(separator.at(0));
        try {
            const double got = NumberText::toDouble(text);
            QVERIFY2(ok, "conversion should have failed");
            QCOMPARE(got, value);
        } catch (const AppError &e) {
            QVERIFY2(!ok, qPrintable(e.text()));
            QCOMPARE(e.text(), QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
        }
    }

    void toInt32_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "250" << true << 250;
        QTest::newRow("negative") << "-5" << true << -5;
        QTest::newRow("max") << "2147483647" << true << 2147483647;
        QTest::newRow("min") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("overflow") << "2147483648" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("decimal") << "1.5" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }

    void toInt32()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        try {
            QCOMPARE(NumberText::toInt32(text), value);
            QVERIFY(ok);
        } catch (const AppError &e) {
            QVERIFY2(!ok, qPrintable(e.text()));
            QCOMPARE(e.text(), QStringLiteral("''%1'' ist kein gültiger Integer-Wert").arg(text));
        }
    }

    void formatAmount_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("padded de") << "," << 625.0 << " 625,000";
        QTest::newRow("padded en") << "." << 83.333325 << "  83.333";
        QTest::newRow("small") << "," << 0.0004 << "   0,000";
        QTest::newRow("not cut") << "," << 12500.0 << "12500,000";
        QTest::newRow("negative") << "." << -1.5 << "  -1.500";
    }

    void formatAmount()
    {
        QFETCH(QString, separator);
        QFETCH(double, value);
        QFETCH(QString, text);
        NumberText::setDecimalSeparator(separator.at(0));
        QCOMPARE(NumberText::formatAmount(value), text);
    }

    void formatGeneral_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 100.0 << "100";
        QTest::newRow("fraction") << 99.995 << "99,995";
        QTest::newRow("15 digits") << 0.1 + 0.2 << "0,3";
        QTest::newRow("large") << 1e20 << "1E20";
        QTest::newRow("small") << 1e-5 << "1E-5";
    }

    void formatGeneral()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        NumberText::setDecimalSeparator(QLatin1Char(','));
        QCOMPARE(NumberText::formatGeneral(value), text);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
