#include "import/lineimporter.h"

#include "common/helpers.h"
#include "import/importfile.h"
#include "platform/apperror.h"
#include "platform/numbertext.h"

#include <QSqlError>

namespace ImportText {

QStringList splitFields(const QString &line)
{
    return SplitText(line, QStringLiteral(";"));
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

void LineImporter::execOrThrow(QSqlQuery &q)
{
    if (!q.exec())
        throw AppError(q.lastError().text());
}

QVariant LineImporter::firstRowid(const QString &table, const QString &column, const QString &value) const
{
    // Names are not unique: the first stored row is the one a line replaces.
    QSqlQuery find(m_db);
    find.prepare(QStringLiteral("select rowid from %1 where %2 = ? order by rowid limit 1").arg(table, column));
    find.addBindValue(value);
    execOrThrow(find);
    return find.next() ? find.value(0) : QVariant();
}
