#include "data/database.h"

#include "platform/apperror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>

namespace Database {

namespace {

// Folds a character for ordering: base letter without accents, lower case.
// Returns the number of output characters (ß gives two).
int foldChar(QChar c, char16_t out[2])
{
    const char16_t u = c.unicode();
    if (u < 0x80) {
        out[0] = (u >= 'A' && u <= 'Z') ? char16_t(u + 32) : u;
        return 1;
    }
    if (u == 0x00DF) { // ß
        out[0] = 's';
        out[1] = 's';
        return 2;
    }
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    QChar base = decomposed.isEmpty() ? c : decomposed.at(0);
    base = base.toCaseFolded();
    out[0] = base.unicode();
    return 1;
}

int compareFolded(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    char16_t fa[2], fb[2];
    int na = 0, nb = 0, pa = 0, pb = 0;
    for (;;) {
        if (pa == na) {
            if (i == a.size())
                na = 0;
            else
                na = foldChar(a.at(i++), fa);
            pa = 0;
        }
        if (pb == nb) {
            if (j == b.size())
                nb = 0;
            else
                nb = foldChar(b.at(j++), fb);
            pb = 0;
        }
        if (na == 0 || nb == 0)
            return (na == 0 ? 0 : 1) - (nb == 0 ? 0 : 1);
        if (fa[pa] != fb[pb])
            return fa[pa] < fb[pb] ? -1 : 1;
        ++pa;
        ++pb;
    }
}

int collationCallback(void *, int lenA, const void *a, int lenB, const void *b)
{
    // Most names are plain ASCII: compare those without building strings.
    const auto *ca = static_cast<const unsigned char *>(a);
    const auto *cb = static_cast<const unsigned char *>(b);
    bool ascii = true;
    int folded = 0;
    int exact = 0;
    const int n = std::min(lenA, lenB);
    for (int k = 0; k < n && ascii; ++k) {
        const unsigned char x = ca[k], y = cb[k];
        if ((x | y) & 0x80) {
            ascii = false;
            break;
        }
        if (folded == 0) {
            const unsigned char lx = (x >= 'A' && x <= 'Z') ? x + 32 : x;
            const unsigned char ly = (y >= 'A' && y <= 'Z') ? y + 32 : y;
            if (lx != ly)
                folded = lx < ly ? -1 : 1;
        }
        if (exact == 0 && x != y)
            exact = x < y ? -1 : 1;
    }
    if (ascii && folded != 0)
        return folded;
    if (ascii) {
        for (int k = n; k < lenA && ascii; ++k)
            ascii = !(ca[k] & 0x80);
        for (int k = n; k < lenB && ascii; ++k)
            ascii = !(cb[k] & 0x80);
        if (ascii) {
            if (lenA != lenB)
                return lenA < lenB ? -1 : 1;
            return exact;
        }
    }
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lenB);
    return germanCompare(sa, sb);
}

QString tr(const char *text)
{
    return QCoreApplication::translate("Database", text);
}

bool looksLikeSqlite(const QString &path, QString &reason)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        reason = f.errorString();
        return false;
    }
    const QByteArray header = f.read(16);
    if (header != QByteArray("SQLite format 3\0", 16)) {
        reason = f.size() == 0 ? tr("Die Datei ist leer.") : tr("Die Datei ist keine Velmora-Datenbank.");
        return false;
    }
    return true;
}

} // namespace

QString connectionName()
{
    return QStringLiteral("velmora");
}

int germanCompare(QStringView a, QStringView b)
{
    if (const int folded = compareFolded(a, b))
        return folded;
    // Equal when folded: keep a stable, deterministic order.
    const int exact = a.compare(b, Qt::CaseSensitive);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

void registerGermanCollation(QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    sqlite3 *h = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        h = *static_cast<sqlite3 *const *>(handle.data());
    if (!h || sqlite3_create_collation(h, "GERMAN", SQLITE_UTF8, nullptr, collationCallback) != SQLITE_OK)
        throw AppError(tr("Die Sortierung für die Datenbank kann nicht eingerichtet werden."));
}

void exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw AppError(q.lastError().text());
}

QSqlDatabase open(const QString &path, const QString &name)
{
    close(name);
    const QString shown = QFileInfo(path).absoluteFilePath();
    QString reason;
    if (!QFileInfo::exists(path))
        throw AppError(tr("Die Datenbank %1 kann nicht geöffnet werden: %2")
                           .arg(shown, tr("Die Datei ist nicht vorhanden.")));
    if (!looksLikeSqlite(path, reason))
        throw AppError(tr("Die Datenbank %1 kann nicht geöffnet werden: %2").arg(shown, reason));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (!db.open()) {
        const QString text = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw AppError(tr("Die Datenbank %1 kann nicht geöffnet werden: %2").arg(shown, text));
    }
    try {
        // A damaged file fails here, before anything is written to it.
        QSqlQuery q(db);
        const QStringList needed{QStringLiteral("T_Farben"), QStringLiteral("T_FarbenEigen"),
                                 QStringLiteral("T_Farbverbrauch")};
        QStringList found;
        if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table'")))
            throw AppError(q.lastError().text());
        while (q.next())
            found << q.value(0).toString();
        for (const QString &table : needed)
            if (!found.contains(table, Qt::CaseInsensitive))
                throw AppError(tr("Die Tabelle %1 fehlt.").arg(table));
        q.finish();
        exec(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
        registerGermanCollation(db);
    } catch (const AppError &e) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw AppError(tr("Die Datenbank %1 kann nicht geöffnet werden: %2").arg(shown, e.text()));
    }
    return db;
}

void close(const QString &name)
{
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QSqlDatabase connection(const QString &name)
{
    return QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false) : QSqlDatabase();
}

void createSchema(QSqlDatabase &db, const QString &schemaSql)
{
    QString statement;
    const QStringList lines = schemaSql.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        statement += line + QLatin1Char('\n');
        if (line.trimmed().endsWith(QLatin1Char(';'))) {
            exec(db, statement.trimmed());
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty())
        exec(db, statement.trimmed());
}

QString readTextFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(tr("Datei %1 kann nicht geöffnet werden. %2").arg(path, f.errorString()));
    return QString::fromUtf8(f.readAll());
}

} // namespace Database
