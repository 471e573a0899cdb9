#include "data/amountcalculation.h"

#include "platform/dialogs.h"
#include "platform/numbertext.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <cstdint>

namespace AmountCalculation {

namespace {
// Bit n of byte k stands for character code 8k + n: backspace, "-" and the digits.
constexpr std::array<uint8_t, 32> allowedKeys = {0x00, 0x01, 0x00, 0x00, 0x00, 0x20, 0xFF, 0x03};

bool hasBit(const std::array<uint8_t, 32> &set, unsigned code)
{
    return (set[code / 8] >> (code % 8)) & 1u;
}
} // namespace

Amounts calculate(double anteilGesamt, const std::array<double, 6> &shares, double total)
{
    Amounts out;
    // "not above 0" also catches NaN.
    if (!(total > 0) || anteilGesamt == 0)
        return out;
    const long double divisor = anteilGesamt;
    const long double quantity = total;
    for (size_t i = 0; i < shares.size(); ++i) {
        if (shares[i] == 0)
            continue;
        const long double amount = (static_cast<long double>(shares[i]) * quantity) / divisor;
        out[i] = NumberText::formatAmount(amount);
    }
    return out;
}

bool isAcceptedKey(QChar c)
{
    if (c.unicode() > 255)
        return false;
    std::array<uint8_t, 32> set = allowedKeys;
    const unsigned sep = NumberText::decimalSeparator().unicode() & 0xFFu;
    set[sep / 8] |= uint8_t(1u << (sep % 8));
    return hasBit(set, c.unicode());
}

void filterKey(QChar &key)
{
    if (isAcceptedKey(key))
        return;
    key = QChar(0);
    Dialogs::instance().beep();
}

} // namespace AmountCalculation

void NumericKeyFilter::attach(QLineEdit *box)
{
    box->installEventFilter(new NumericKeyFilter(box));
}

bool NumericKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->text().isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    for (QChar c : key->text()) {
        QChar filtered = c;
        AmountCalculation::filterKey(filtered);
        if (filtered.isNull())
            return true; // swallowed: the box never sees it
    }
    return false;
}
