#pragma once

#include <QChar>
#include <QString>

// Numbers as the user types and reads them: the decimal separator in force,
// strict conversions with the runtime's error texts, and the amount format.
namespace NumberText {

// The separator in force; taken from the system locale at start-up, settable by tests.
QChar decimalSeparator();
void setDecimalSeparator(QChar separator);
void initFromSystemLocale();

// Strict text to double: optional blanks around, optional sign, digits with at most one
// separator, optional exponent. Anything else, and values beyond double's range, raise
// "'%s' ist kein gültiger Gleitkommawert".
double toDouble(const QString &text);

// Strict text to 32-bit integer; raises "''%s'' ist kein gültiger Integer-Wert".
int toInt32(const QString &text);

// "%8.3f" with the separator in force: three decimals, no grouping, padded on the left
// to eight characters, never cut.
QString formatAmount(long double value);

// Shortest general form with at most 15 significant digits and the separator in force
// (1E20 and 1E-5 style exponents), as the share-check message shows a sum.
QString formatGeneral(long double value);

// The conversion error texts, translated when shown.
QString floatErrorText(const QString &text);
QString integerErrorText(const QString &text);

} // namespace NumberText
