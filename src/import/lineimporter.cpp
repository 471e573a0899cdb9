#include "import/lineimporter.h"

#include "import/importfile.h"
#include "platform/numbertext.h"

namespace ImportText {

QStringList splitFields(const QString &line)
{
    QStringList fields;
    if (line.isEmpty())
        return fields;
    qsizetype start = 0;
    for (;;) {
        const qsizetype p = line.indexOf(QLatin1Char(';'), start);
        if (p < 0) {
            fields.append(line.mid(start));
            return fields;
        }
        fields.append(line.mid(start, p - start));
        start = p + 1;
    }
}

QString trimField(const QString &field)
{
    qsizetype begin = 0;
    qsizetype end = field.size();
    while (begin < end && field.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && field.at(end - 1).unicode() <= 32)
        --end;
    return (begin == 0 && end == field.size()) ? field : field.mid(begin, end - begin);
}

double toNumber(const QString &trimmedField)
{
    QString text = trimmedField;
    text.replace(QLatin1Char(','), NumberText::decimalSeparator());
    return NumberText::toDouble(text);
}

} // namespace ImportText

LineResult LineImporter::importLine(const QString &line)
{
    return importFields(ImportText::splitFields(line));
}

LineResult LineImporter::importFields(const QStringList &fields)
{
    if (fields.size() < minimumFields())
        return LineResult::Skipped;
    return writeFields(fields);
}

int importAll(const ImportFile &file, LineImporter &importer, const ImportProgress &progress)
{
    const int total = file.lineCount();
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i + 1, total))
            return i;
        importer.importLine(file.line(i));
    }
    return total;
}
