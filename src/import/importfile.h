#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One import file's content: the data lines after the header, decoded and split at
// line breaks. Reading is separate from importing, so a window can show "record i of n"
// and stop between lines.
class ImportFile
{
public:
    ImportFile() = default;

    // Reads the whole file. Raises AppError naming the file and the system's reason when
    // it cannot be read; a missing file is the caller's to report before calling this.
    static ImportFile read(const QString &path);

    // The same from bytes already in memory (decoding and header handling as for a file).
    static ImportFile fromBytes(const QByteArray &bytes);

    // Number of data lines (the header is not counted; empty lines are).
    int lineCount() const { return int(m_lines.size()); }
    const QString &line(int index) const { return m_lines.at(index); }
    const QStringList &lines() const { return m_lines; }

    // Bytes to text: UTF-8, UTF-16 LE or BE after their byte-order mark (the mark is
    // dropped). Without a mark, text that is valid UTF-8 is read as UTF-8 and anything
    // else as Windows-1252, the code page such files come in from Windows programs.
    static QString decode(const QByteArray &bytes);

    // Text to lines at CR LF, LF or CR; a break after the last line adds no line.
    static QStringList splitLines(const QString &text);

private:
    QStringList m_lines;
};
