#include "import/recipelineimporter.h"

#include "platform/apperror.h"

#include <QSqlError>
#include <QSqlQuery>

#include <array>
#include <utility>

namespace {

constexpr int kPairs = 6;      // colour/share pairs in the table
constexpr int kFilePairs = 5;  // pairs a file line can fill
constexpr int kUsedFields = 15;

// One recipe as a line describes it; a null value leaves its column empty.
struct Recipe
{
    QString name;
    std::array<QVariant, kPairs> colour;
    std::array<QVariant, kPairs> share;
    QVariant total;
    QVariant type;
    QVariant description;
    QVariant remark;
};

QVariant textValue(const QString &trimmed)
{
    return trimmed.isEmpty() ? QVariant() : QVariant(trimmed);
}

QVariant numberValue(const QString &trimmed)
{
    return trimmed.isEmpty() ? QVariant() : QVariant(ImportText::toNumber(trimmed));
}

// Converts every field before anything is written, so that a bad number leaves the
// stored recipe untouched.
Recipe recipeFromFields(const QStringList &fields)
{
    Recipe r;
    const int n = std::min<int>(int(fields.size()), kUsedFields);
    for (int i = 0; i < n; ++i) {
        const QString f = ImportText::trimField(fields.at(i));
        if (i == 0) {
            r.name = f;
        } else if (i <= 2 * kFilePairs) {
            const int pair = (i - 1) / 2;
            if (i % 2 == 1)
                r.colour[pair] = textValue(f);
            else
                r.share[pair] = numberValue(f);
        } else if (i == 11) {
            r.total = numberValue(f);
        } else if (i == 12) {
            r.type = textValue(f);
        } else if (i == 13) {
            r.description = textValue(f);
        } else {
            r.remark = textValue(f);
        }
    }
    return r;
}

// Components 1 to 5 in descending order of share by pairwise exchange; an empty share
// counts as 0. A moved share is stored as a number and a moved colour as text, so an
// empty pair that moves becomes colour "" with share 0. Equal shares are not exchanged.
void sortComponents(Recipe &r)
{
    for (int p = 0; p < kFilePairs - 1; ++p) {
        for (int q = p + 1; q < kFilePairs; ++q) {
            const double sp = r.share[p].isNull() ? 0.0 : r.share[p].toDouble();
            const double sq = r.share[q].isNull() ? 0.0 : r.share[q].toDouble();
            if (!(sq > sp))
                continue;
            // A null QString would be bound as NULL; a moved colour is stored as text.
            const QString cp = r.colour[p].isNull() ? QStringLiteral("") : r.colour[p].toString();
            const QString cq = r.colour[q].isNull() ? QStringLiteral("") : r.colour[q].toString();
            r.share[p] = sq;
            r.share[q] = sp;
            r.colour[p] = cq;
            r.colour[q] = cp;
        }
    }
}

// Every column but the name, in the order bindColumns binds them.
QStringList valueColumns()
{
    QStringList c{QStringLiteral("Beschreibung")};
    for (int i = 1; i <= kPairs; ++i)
        c << QStringLiteral("\"Farbe-%1\"").arg(i) << QStringLiteral("\"Anteil-%1\"").arg(i);
    c << QStringLiteral("\"Anteil gesamt\"") << QStringLiteral("Bemerkung") << QStringLiteral("Farbtyp");
    return c;
}

void bindColumns(QSqlQuery &q, const Recipe &r)
{
    q.addBindValue(r.description);
    for (int i = 0; i < kPairs; ++i) {
        q.addBindValue(r.colour[i]);
        q.addBindValue(r.share[i]);
    }
    q.addBindValue(r.total);
    q.addBindValue(r.remark);
    q.addBindValue(r.type);
}


} // namespace

LineResult RecipeLineImporter::writeFields(const QStringList &fields)
{
    // The name is trimmed before the lookup, so " HKS 13 K" finds "HKS 13 K" and a name
    // of blanks only is no recipe at all.
    if (ImportText::trimField(fields.at(0)).isEmpty())
        return LineResult::Skipped;

    Recipe r = recipeFromFields(fields);
    sortComponents(r);

    const QVariant rowid = firstRowid(QStringLiteral("T_Farben"), QStringLiteral("Rezeptname"), r.name);
    const bool found = !rowid.isNull();

    QSqlQuery write(m_db);
    if (found) {
        QStringList assignments;
        for (const QString &c : valueColumns())
            assignments << c + QStringLiteral(" = ?");
        write.prepare(QStringLiteral("update T_Farben set %1 where rowid = ?").arg(assignments.join(QStringLiteral(", "))));
        bindColumns(write, r);
        write.addBindValue(rowid);
    } else {
        const QStringList columns = valueColumns();
        write.prepare(QStringLiteral("insert into T_Farben (Rezeptname, %1) values (?%2)")
                          .arg(columns.join(QStringLiteral(", ")), QStringLiteral(", ?").repeated(columns.size())));
        write.addBindValue(r.name);
        bindColumns(write, r);
    }
    execOrThrow(write);
    return found ? LineResult::Overwritten : LineResult::Added;
}
