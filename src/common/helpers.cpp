#include "common/helpers.h"

#include "platform/apperror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QStringList SplitText(const QString &text, const QString &delimiter)
{
    QStringList list;
    SplitText(text, delimiter, list);
    return list;
}

void SplitText(const QString &text, const QString &delimiter, QStringList &list)
{
    list.clear();
    if (text.isEmpty())
        return;
    if (delimiter.isEmpty()) {
        list << text;
        return;
    }
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = text.indexOf(delimiter, from, Qt::CaseSensitive);
        if (p < 0) {
            list << text.mid(from);
            return;
        }
        list << text.mid(from, p - from);
        from = p + delimiter.size();
    }
}

QString ReplaceAll(const QString &text, const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return text;
    QString result;
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = text.indexOf(find, from, Qt::CaseSensitive);
        if (p < 0)
            break;
        result += QStringView(text).mid(from, p - from);
        result += replacement;
        from = p + find.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

bool CopyFileStream(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw AppError(QCoreApplication::translate("Helpers", "Datei %1 kann nicht geöffnet werden. %2")
                           .arg(source, in.errorString()));

    // QSaveFile writes beside the destination and renames on commit; on any failure the
    // destination keeps its previous content (or stays absent).
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        throw AppError(QCoreApplication::translate("Helpers", "Datei %1 kann nicht erstellt werden. %2")
                           .arg(QFileInfo(destination).absoluteFilePath(), out.errorString()));

    char buffer[64 * 1024];
    qint64 remaining = in.size();
    while (remaining > 0) {
        const qint64 n = in.read(buffer, qMin<qint64>(remaining, qint64(sizeof buffer)));
        if (n <= 0)
            throw AppError(QCoreApplication::translate("Helpers", "Fehler beim Lesen der Datei %1. %2")
                               .arg(source, in.errorString()));
        if (out.write(buffer, n) != n)
            throw AppError(QCoreApplication::translate("Helpers", "Fehler beim Schreiben der Datei %1. %2")
                               .arg(destination, out.errorString()));
        remaining -= n;
    }
    if (!out.commit())
        throw AppError(QCoreApplication::translate("Helpers", "Fehler beim Schreiben der Datei %1. %2")
                           .arg(destination, out.errorString()));
    return true;
}
