#include "import/consumptionlineimporter.h"

#include "platform/apperror.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kTable = QStringLiteral("T_Farbverbrauch");
const QString kArea = QStringLiteral("Druckfläche");
const QString kConsumption = QStringLiteral("Farbverbrauch");

QString quoted(const QString &column)
{
    QString c = column;
    c.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + c + QLatin1Char('"');
}


} // namespace

ConsumptionLineImporter::ConsumptionLineImporter(const QSqlDatabase &db) : LineImporter(db)
{
    const QSqlRecord rec = m_db.record(kTable);
    for (int i = 0; i < rec.count(); ++i)
        m_columns << rec.fieldName(i);
    if (m_columns.isEmpty())
        throw AppError(QCoreApplication::translate("ImportFile", "Die Tabelle %1 fehlt.").arg(kTable));
}

LineResult ConsumptionLineImporter::writeFields(const QStringList &fields)
{
    const QString mesh = ImportText::trimField(fields.at(0));
    if (mesh.isEmpty())
        return LineResult::Skipped;

    // Both numbers are converted before anything is written.
    const QString areaText = ImportText::trimField(fields.at(1));
    const QString consumptionText = ImportText::trimField(fields.at(2));
    const QVariant area = areaText.isEmpty() ? QVariant() : QVariant(ImportText::toNumber(areaText));
    const QVariant consumption =
        consumptionText.isEmpty() ? QVariant() : QVariant(ImportText::toNumber(consumptionText));

    const QVariant rowid = firstRowid(QStringLiteral("T_Farbverbrauch"), QStringLiteral("Siebgewebe"), mesh);
    const bool found = !rowid.isNull();

    QSqlQuery write(m_db);
    if (found) {
        // Every column after the first is emptied; the two the file knows get its values.
        QStringList assignments;
        QVariantList values;
        for (int i = 1; i < m_columns.size(); ++i) {
            const QString &c = m_columns.at(i);
            assignments << quoted(c) + QStringLiteral(" = ?");
            if (c.compare(kArea, Qt::CaseInsensitive) == 0)
                values << area;
            else if (c.compare(kConsumption, Qt::CaseInsensitive) == 0)
                values << consumption;
            else
                values << QVariant();
        }
        write.prepare(QStringLiteral("update T_Farbverbrauch set %1 where rowid = ?")
                          .arg(assignments.join(QStringLiteral(", "))));
        for (const QVariant &v : values)
            write.addBindValue(v);
        write.addBindValue(rowid);
    } else {
        write.prepare(QStringLiteral("insert into T_Farbverbrauch (Siebgewebe, \"Druckfläche\", Farbverbrauch) "
                                     "values (?, ?, ?)"));
        write.addBindValue(mesh);
        write.addBindValue(area);
        write.addBindValue(consumption);
    }
    execOrThrow(write);
    return found ? LineResult::Overwritten : LineResult::Added;
}
