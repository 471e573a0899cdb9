#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class ImportFile;

// What one line of an import file did to the table.
enum class LineResult { Skipped, Added, Overwritten };

// The text rules shared by the import file formats.
namespace ImportText {

// Cuts a line at every ";": an empty line gives no fields, otherwise one field more than
// there are semicolons (adjacent or trailing semicolons give empty fields). No quoting.
QStringList splitFields(const QString &line);

// Strips characters with a code of 32 or less (blanks, tabs, control characters) from
// both ends.
QString trimField(const QString &field);

// A number written with a decimal comma: every "," becomes the separator in force, then
// the strict conversion applies. Raises the conversion error naming the converted text.
double toNumber(const QString &trimmedField);

} // namespace ImportText

// Writes the lines of one kind of import file into its table on db. A failing line raises
// AppError (conversion error or the database's text) and leaves the table as it was
// before that line; lines written earlier stay written.
class LineImporter
{
public:
    explicit LineImporter(const QSqlDatabase &db) : m_db(db) {}
    virtual ~LineImporter() = default;

    // Fewer fields than this and the line is skipped without a message.
    virtual int minimumFields() const = 0;

    // One line as read from the file (not yet split).
    LineResult importLine(const QString &line);

    // One line already split (fields as cut, untrimmed).
    LineResult importFields(const QStringList &fields);

protected:
    // Called with at least minimumFields() fields.
    virtual LineResult writeFields(const QStringList &fields) = 0;

    // Runs q; a refusal of the database becomes an AppError with its text.
    static void execOrThrow(QSqlQuery &q);
    // The rowid of the first row of table whose column equals value; null when none.
    QVariant firstRowid(const QString &table, const QString &column, const QString &value) const;

    QSqlDatabase m_db;
};

// Called before data line number (1-based) of total; returning false stops the run there.
using ImportProgress = std::function<bool(int number, int total)>;

// Imports every data line of file in order. Returns how many lines were handled (equal to
// file.lineCount() unless progress stopped the run). Errors propagate and stop the run.
int importAll(const ImportFile &file, LineImporter &importer, const ImportProgress &progress = {});
