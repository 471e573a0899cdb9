#pragma once

#include <QString>
#include <QStringList>

// Text and file operations shared by the windows.

// Splits text at every occurrence of delimiter (exact, case-sensitive). A non-empty text
// gives one piece more than it has delimiters; the empty text gives no pieces; an empty
// delimiter is never found. Pieces are not trimmed.
QStringList SplitText(const QString &text, const QString &delimiter);
void SplitText(const QString &text, const QString &delimiter, QStringList &list);

// Replaces every occurrence of find, left to right and without overlapping; inserted text
// is never searched again. An empty find leaves the text unchanged.
QString ReplaceAll(const QString &text, const QString &find, const QString &replacement);

// Copies source to destination and returns true; every failure raises an AppError.
// The copy is written to a temporary file beside the destination and renamed into place
// only when complete, so a failed copy never leaves a partial destination behind.
bool CopyFileStream(const QString &source, const QString &destination);
