// Builds the starter database: makedb <data folder> <output file>.
// The schema comes from schema.sql; every *.csv beside it is loaded through the program's
// own line importers: files named "rezepturen*" as recipe files, "farbverbrauch*" as ink
// consumption files. The result is written under a temporary name and moved into place
// only when complete, so a failed build never leaves a half-filled database behind.
#include "data/database.h"
#include "import/consumptionlineimporter.h"
#include "import/importfile.h"
#include "import/recipelineimporter.h"
#include "platform/apperror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

const QString kConnection = QStringLiteral("makedb");

std::unique_ptr<LineImporter> importerFor(const QFileInfo &file, const QSqlDatabase &db)
{
    const QString name = file.fileName().toLower();
    if (name.startsWith(QLatin1String("rezepturen")))
        return std::make_unique<RecipeLineImporter>(db);
    if (name.startsWith(QLatin1String("farbverbrauch")))
        return std::make_unique<ConsumptionLineImporter>(db);
    throw AppError(QStringLiteral("%1: unknown kind of starter file (name it rezepturen*.csv or farbverbrauch*.csv)")
                       .arg(file.filePath()));
}

void loadFile(const QFileInfo &file, QSqlDatabase &db)
{
    const ImportFile content = ImportFile::read(file.filePath());
    const std::unique_ptr<LineImporter> importer = importerFor(file, db);
    int skipped = 0;
    for (int i = 0; i < content.lineCount(); ++i) {
        try {
            if (importer->importLine(content.line(i)) == LineResult::Skipped && !content.line(i).isEmpty())
                ++skipped;
        } catch (const AppError &e) {
            // Line numbers as an editor shows them: the header is line 1.
            throw AppError(QStringLiteral("%1:%2: %3").arg(file.filePath()).arg(i + 2).arg(e.text()));
        }
    }
    // Starter data is ours: a line the importer passes over is a mistake in the file.
    if (skipped > 0)
        throw AppError(QStringLiteral("%1: %2 line(s) skipped as incomplete").arg(file.filePath()).arg(skipped));
    std::printf("makedb: %s: %d line(s)\n", qPrintable(file.fileName()), content.lineCount());
}

void build(const QString &dataDir, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(path);
    if (!db.open())
        throw AppError(QStringLiteral("cannot create %1").arg(path));
    Database::createSchema(db, Database::readTextFile(QDir(dataDir).filePath(QStringLiteral("schema.sql"))));

    const QFileInfoList files =
        QDir(dataDir).entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw AppError(QStringLiteral("no starter files (*.csv) in %1").arg(dataDir));
    // One transaction for the whole load: the file is new and nobody else sees it.
    if (!db.transaction())
        throw AppError(QStringLiteral("cannot start a transaction on %1").arg(path));
    for (const QFileInfo &file : files)
        loadFile(file, db);
    if (!db.commit())
        throw AppError(QStringLiteral("cannot write %1").arg(path));
    db.close();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedb <data folder> <output file>\n");
        return 2;
    }
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString tmp = out + QStringLiteral(".tmp");
    QFile::remove(tmp);
    int status = 0;
    try {
        build(dataDir, tmp);
    } catch (const AppError &e) {
        std::fprintf(stderr, "makedb: %s\n", e.what());
        status = 1;
    }
    QSqlDatabase::removeDatabase(kConnection);
    if (status != 0) {
        QFile::remove(tmp);
        return status;
    }
    // rename replaces the old file in one step where the system allows it.
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(tmp.toStdU16String()),
                            std::filesystem::path(out.toStdU16String()), ec);
    if (ec) {
        std::fprintf(stderr, "makedb: cannot write %s: %s\n", argv[2], ec.message().c_str());
        QFile::remove(tmp);
        return 1;
    }
    return 0;
}
