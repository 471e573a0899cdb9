#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <array>

class QLineEdit;

// The arithmetic the program exists for and the key filter guarding typed numbers.
namespace AmountCalculation {

using Amounts = std::array<QString, 6>;

// Quantity of each component for total: share i × total ÷ anteilGesamt, in long double,
// product first, each formatted "%8.3f". Every output is assigned: empty when the total is
// not above 0 (NaN included), when anteilGesamt is 0, or for a share of 0. Exact
// comparisons with 0; nothing is rounded but by the formatting.
Amounts calculate(double anteilGesamt, const std::array<double, 6> &shares, double total);

// The fixed set of accepted character codes (backspace, "-", "0".."9") plus the low eight
// bits of the decimal separator in force. Returns true when c may be typed.
bool isAcceptedKey(QChar c);

// Leaves key unchanged when accepted; otherwise sets it to character 0 and beeps.
void filterKey(QChar &key);

} // namespace AmountCalculation

// Attaches the key filter to a number box: every typed character goes through
// AmountCalculation::filterKey; rejected ones never reach the box. Editing keys (arrows,
// Delete, Tab, Escape) and shortcuts pass untouched, and pasted text is not filtered.
class NumericKeyFilter : public QObject
{
    Q_OBJECT
public:
    static void attach(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
