#include "platform/numbertext.h"

#include "platform/apperror.h"

#include <QCoreApplication>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace NumberText {

namespace {
QChar g_separator = QLatin1Char('.');

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Checks the float grammar and returns the text in C form ('.' as separator), or an
// empty string when the text does not match.
std::string normalisedFloat(const QString &text)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text.at(i)))
        ++i;
    while (end > i && isBlank(text.at(end - 1)))
        --end;
    std::string out;
    if (i < end && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        if (text.at(i) == QLatin1Char('-'))
            out += '-';
        ++i;
    }
    int digits = 0;
    bool seenSeparator = false;
    for (; i < end; ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            out += char(c.unicode());
            ++digits;
        } else if (c == g_separator && !seenSeparator) {
            out += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return {};
    if (i < end && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        out += 'e';
        ++i;
        if (i < end && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
            out += char(text.at(i).unicode());
            ++i;
        }
        int expDigits = 0;
        for (; i < end && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
            out += char(text.at(i).unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return {};
    }
    if (i != end)
        return {};
    return out;
}

template<typename T>
T parseFloat(const QString &text)
{
    const std::string s = normalisedFloat(text);
    if (s.empty())
        throw AppError(floatErrorText(text));
    const char *first = s.data();
    T value{};
    const auto res = std::from_chars(first, s.data() + s.size(), value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(value))
        throw AppError(floatErrorText(text));
    return value;
}

QString withSeparator(std::string s)
{
    QString out = QString::fromLatin1(s.data(), qsizetype(s.size()));
    if (g_separator != QLatin1Char('.'))
        out.replace(QLatin1Char('.'), g_separator);
    return out;
}
} // namespace

QChar decimalSeparator()
{
    return g_separator;
}

void setDecimalSeparator(QChar separator)
{
    g_separator = separator.isNull() ? QLatin1Char('.') : separator;
}

void initFromSystemLocale()
{
    const QString dp = QLocale::system().decimalPoint();
    setDecimalSeparator(dp.isEmpty() ? QLatin1Char('.') : dp.at(0));
}

double toDouble(const QString &text)
{
    return parseFloat<double>(text);
}

int toInt32(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    std::string s;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        if (text.at(i) == QLatin1Char('-'))
            s += '-';
        ++i;
    }
    const qsizetype digitsStart = i;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i)
        s += char(text.at(i).unicode());
    if (i == digitsStart || i != text.size())
        throw AppError(integerErrorText(text));
    int value = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size())
        throw AppError(integerErrorText(text));
    return value;
}

QString formatAmount(long double value)
{
    char buf[128];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 3);
    if (res.ec != std::errc())
        return QString();
    QString out = withSeparator(std::string(buf, res.ptr));
    if (out.size() < 8)
        out = QString(8 - out.size(), QLatin1Char(' ')) + out;
    return out;
}

QString formatGeneral(long double value)
{
    char buf[128];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                   std::chars_format::general, 15);
    if (res.ec != std::errc())
        return QString();
    std::string s(buf, res.ptr);
    // C writes 1e+20 / 1e-05; the conventional display is 1E20 / 1E-5.
    const auto e = s.find('e');
    if (e != std::string::npos) {
        std::string mantissa = s.substr(0, e);
        std::string exp = s.substr(e + 1);
        std::string sign;
        if (!exp.empty() && (exp[0] == '+' || exp[0] == '-')) {
            if (exp[0] == '-')
                sign = "-";
            exp.erase(0, 1);
        }
        while (exp.size() > 1 && exp[0] == '0')
            exp.erase(0, 1);
        s = mantissa + "E" + sign + exp;
    }
    return withSeparator(s);
}

QString floatErrorText(const QString &text)
{
    return QCoreApplication::translate("NumberText", "'%1' ist kein gültiger Gleitkommawert").arg(text);
}

QString integerErrorText(const QString &text)
{
    return QCoreApplication::translate("NumberText", "''%1'' ist kein gültiger Integer-Wert").arg(text);
}

} // namespace NumberText
