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
#include <array>
#include <cstring>

namespace Database {

namespace {

// Folds a code point for ordering: base letter without accents, lower case.
// Returns the number of output units (ß gives two).
int foldSlow(char32_t cp, char32_t out[2])
{
    if (cp == 0x00DF) { // ß
        out[0] = 's';
        out[1] = 's';
        return 2;
    }
    const QString decomposed = QString::fromUcs4(&cp, 1).normalized(QString::NormalizationForm_D);
    const QString base = decomposed.isEmpty() ? QString::fromUcs4(&cp, 1) : decomposed.left(1);
    const QString folded = base.toCaseFolded();
    out[0] = folded.isEmpty() ? cp : char32_t(folded.at(0).unicode());
    return 1;
}

// The Latin letters of German and its neighbours are looked up, not normalised.
constexpr char32_t tableSize = 0x250;

int foldCodePoint(char32_t cp, char32_t out[2])
{
    if (cp < 0x80) {
        out[0] = (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
        return 1;
    }
    if (cp == 0x00DF)
        return foldSlow(cp, out);
    if (cp < tableSize) {
        static const std::array<char32_t, tableSize> table = [] {
            std::array<char32_t, tableSize> t{};
            char32_t tmp[2];
            for (char32_t c = 0; c < tableSize; ++c) {
                foldSlow(c, tmp);
                t[c] = tmp[0];
            }
            return t;
        }();
        out[0] = table[cp];
        return 1;
    }
    return foldSlow(cp, out);
}

// Walks a text code point by code point, folded.
template<typename Decode>
class FoldedReader
{
public:
    explicit FoldedReader(Decode decode) : m_decode(std::move(decode)) {}
    // The next folded unit, or 0 at the end.
    char32_t next()
    {
        if (m_pos == m_count) {
            char32_t cp;
            if (!m_decode(cp))
                return 0;
            m_count = foldCodePoint(cp, m_units);
            m_pos = 0;
        }
        return m_units[m_pos++];
    }

private:
    Decode m_decode;
    char32_t m_units[2] = {0, 0};
    int m_count = 0;
    int m_pos = 0;
};

template<typename DecodeA, typename DecodeB>
int compareFolded(DecodeA a, DecodeB b)
{
    FoldedReader<DecodeA> ra(std::move(a));
    FoldedReader<DecodeB> rb(std::move(b));
    for (;;) {
        const char32_t x = ra.next();
        const char32_t y = rb.next();
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

// Decodes UTF-8 as SQLite hands it over; a stray byte stands for itself.
auto utf8Decoder(const unsigned char *p, int len)
{
    return [p, end = p + len](char32_t &cp) mutable {
        if (p == end)
            return false;
        const unsigned char c = *p++;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        cp = extra == 3 ? (c & 0x07) : extra == 2 ? (c & 0x0F) : extra == 1 ? (c & 0x1F) : c;
        for (; extra > 0 && p != end && (*p & 0xC0) == 0x80; --extra)
            cp = (cp << 6) | (*p++ & 0x3F);
        if (cp == 0)
            cp = 0xFFFD; // keeps 0 free as the end mark
        return true;
    };
}

int collationCallback(void *, int lenA, const void *a, int lenB, const void *b)
{
    const auto *ca = static_cast<const unsigned char *>(a);
    const auto *cb = static_cast<const unsigned char *>(b);
    if (const int folded = compareFolded(utf8Decoder(ca, lenA), utf8Decoder(cb, lenB)))
        return folded;
    // Equal when folded: byte order of UTF-8 is code point order, deterministic.
    const int common = std::min(lenA, lenB);
    if (const int exact = std::memcmp(ca, cb, size_t(common)))
        return exact < 0 ? -1 : 1;
    return lenA == lenB ? 0 : (lenA < lenB ? -1 : 1);
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
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return collationCallback(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
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
