#include "platform/inistore.h"

#include "platform/apperror.h"
#include "platform/numbertext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // A file written by an older program in the Windows code page: read it as such,
    // it is written back as UTF-8.
    QStringDecoder ansi("windows-1252");
    if (ansi.isValid()) {
        text = ansi.decode(bytes);
        if (!ansi.hasError())
            return text;
    }
    return QString::fromLatin1(bytes);
}

} // namespace

IniStore::~IniStore()
{
    if (!m_fileName.isEmpty())
        write();
}

bool IniStore::setFileName(const QString &path)
{
    if (path == m_fileName)
        return !m_loadFailed;
    if (!m_fileName.isEmpty())
        write();
    clear();
    m_fileName = path;
    m_loadFailed = false;
    if (path.isEmpty())
        return true;
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        m_loadFailed = true;
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_loadFailed = true;
        return false;
    }
    parse(bytes);
    return true;
}

bool IniStore::write()
{
    // A file that exists but could not be read is left alone rather than replaced by
    // what little this run knows.
    if (m_fileName.isEmpty() || m_loadFailed)
        return false;
    const QFileInfo info(m_fileName);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void IniStore::splitPath(const QString &path, QString &section, QString &key)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('\\'));
    if (slash < 0) {
        section.clear();
        key = path;
    } else {
        section = path.left(slash);
        key = path.mid(slash + 1);
    }
}

IniStore::Section *IniStore::findSection(const QString &name)
{
    for (Section &s : m_sections) {
        if (sameName(s.name, name))
            return &s;
    }
    return nullptr;
}

const IniStore::Section *IniStore::findSection(const QString &name) const
{
    return const_cast<IniStore *>(this)->findSection(name);
}

const IniStore::Line *IniStore::findLine(const QString &path) const
{
    QString section, key;
    splitPath(path, section, key);
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    for (const Line &line : s->lines) {
        if (line.isKey && sameName(line.key, key))
            return &line;
    }
    return nullptr;
}

void IniStore::setValue(const QString &path, const QString &value)
{
    QString section, key;
    splitPath(path, section, key);
    Section *s = findSection(section);
    if (!s) {
        Section fresh;
        fresh.name = section;
        m_sections.append(fresh);
        s = &m_sections.last();
    }
    qsizetype insertAt = -1;
    for (qsizetype i = 0; i < s->lines.size(); ++i) {
        Line &line = s->lines[i];
        if (!line.isKey)
            continue;
        if (sameName(line.key, key)) {
            line.value = value;
            return;
        }
        insertAt = i + 1;
    }
    // New keys follow the section's last key, ahead of any comment that closes it.
    if (insertAt < 0)
        insertAt = s->lines.size();
    Line line;
    line.text = key;
    line.key = key;
    line.value = value;
    line.isKey = true;
    s->lines.insert(insertAt, line);
}

int IniStore::readInteger(const QString &path, int def) const
{
    const Line *line = findLine(path);
    if (!line)
        return def;
    const QString trimmed = line->value.trimmed();
    if (trimmed.isEmpty())
        return 0;
    try {
        return NumberText::toInt32(trimmed);
    } catch (const AppError &) {
        throw AppError(NumberText::integerErrorText(line->value));
    }
}

void IniStore::writeInteger(const QString &path, int value)
{
    setValue(path, QString::number(value));
}

QString IniStore::readString(const QString &path, const QString &def) const
{
    const Line *line = findLine(path);
    return line ? line->value : def;
}

void IniStore::writeString(const QString &path, const QString &value)
{
    QString oneLine = value;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
    setValue(path, oneLine);
}

bool IniStore::readBool(const QString &path, bool def) const
{
    const Line *line = findLine(path);
    if (!line)
        return def;
    const QString v = line->value.trimmed();
    for (const char *word : {"TRUE", "YES", "Y"}) {
        if (sameName(v, QLatin1String(word)))
            return true;
    }
    for (const char *word : {"FALSE", "NO", "N"}) {
        if (sameName(v, QLatin1String(word)))
            return false;
    }
    return def;
}

void IniStore::writeBool(const QString &path, bool value)
{
    setValue(path, value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
}

bool IniStore::valueExists(const QString &path) const
{
    return findLine(path) != nullptr;
}

bool IniStore::sectionExists(const QString &section) const
{
    if (section.isEmpty())
        return !m_sections.first().lines.isEmpty();
    return findSection(section) != nullptr;
}

QStringList IniStore::sectionNames() const
{
    QStringList names;
    for (qsizetype i = 1; i < m_sections.size(); ++i) {
        if (!names.contains(m_sections[i].name, Qt::CaseInsensitive))
            names.append(m_sections[i].name);
    }
    return names;
}

QStringList IniStore::keyNames(const QString &section) const
{
    QStringList keys;
    if (const Section *s = findSection(section)) {
        for (const Line &line : s->lines) {
            if (line.isKey && !keys.contains(line.key, Qt::CaseInsensitive))
                keys.append(line.key);
        }
    }
    return keys;
}

bool IniStore::removeKey(const QString &path)
{
    QString section, key;
    splitPath(path, section, key);
    bool removed = false;
    // A hand-written file may repeat a section or key; remove every copy so the key
    // does not come back from a later one.
    for (Section &s : m_sections) {
        if (!sameName(s.name, section))
            continue;
        removed |= s.lines.removeIf([&](const Line &l) { return l.isKey && sameName(l.key, key); }) > 0;
    }
    return removed;
}

bool IniStore::eraseSection(const QString &section)
{
    if (section.isEmpty()) {
        const bool had = !m_sections.first().lines.isEmpty();
        m_sections.first().lines.clear();
        return had;
    }
    return m_sections.removeIf([&](const Section &s) { return !s.name.isEmpty() && sameName(s.name, section); }) > 0;
}

void IniStore::clear()
{
    m_sections.clear();
    m_sections.append(Section{});
    m_lineEnd = "\n";
    m_bom = false;
    m_finalLineEnd = true;
}

void IniStore::parse(const QByteArray &input)
{
    clear();
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        m_bom = true;
        bytes.remove(0, 3);
    }
    const QString text = decode(bytes);
    const qsizetype firstBreak = text.indexOf(QLatin1Char('\n'));
    if (firstBreak > 0 && text.at(firstBreak - 1) == QLatin1Char('\r'))
        m_lineEnd = "\r\n";
    m_finalLineEnd = text.isEmpty() || text.endsWith(QLatin1Char('\n'));

    QStringList rawLines = text.split(QLatin1Char('\n'));
    if (m_finalLineEnd)
        rawLines.removeLast(); // the empty piece after the last line end
    m_sections.first().loaded = true;
    m_sections.first().trailingBlanks = 0;

    for (QString raw : std::as_const(rawLines)) {
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.indexOf(QLatin1Char(']')) > 0) {
            Section s;
            s.name = trimmed.mid(1, trimmed.lastIndexOf(QLatin1Char(']')) - 1).trimmed();
            s.header = raw;
            s.loaded = true;
            s.trailingBlanks = 0;
            m_sections.append(s);
            continue;
        }
        Line line;
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        const bool comment = trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
        if (!comment && eq >= 0 && !raw.left(eq).trimmed().isEmpty()) {
            line.text = raw.left(eq);
            line.key = line.text.trimmed();
            line.value = raw.mid(eq + 1);
            line.isKey = true;
        } else {
            line.text = raw;
        }
        m_sections.last().lines.append(line);
    }

    // The empty lines closing a section are its separator; held apart so that keys added
    // later go in front of them.
    for (Section &s : m_sections) {
        while (!s.lines.isEmpty() && !s.lines.last().isKey && s.lines.last().text.isEmpty()) {
            s.lines.removeLast();
            ++s.trailingBlanks;
        }
    }
}

QByteArray IniStore::toBytes() const
{
    QString out;
    const QString eol = QString::fromLatin1(m_lineEnd);
    bool lastBlank = true; // nothing written yet counts as a separator
    auto put = [&](const QString &line) {
        out += line;
        out += eol;
        lastBlank = line.isEmpty();
    };
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        const Section &s = m_sections[i];
        if (i == 0) {
            if (!s.loaded && s.lines.isEmpty())
                continue;
        } else {
            if (!s.loaded && !lastBlank)
                put(QString());
            put(s.header.isEmpty() ? QLatin1Char('[') + s.name + QLatin1Char(']') : s.header);
        }
        for (const Line &line : s.lines)
            put(line.isKey ? line.text + QLatin1Char('=') + line.value : line.text);
        for (int b = 0; b < s.trailingBlanks; ++b)
            put(QString());
    }
    if (!m_finalLineEnd && out.endsWith(eol))
        out.chop(eol.size());
    QByteArray bytes = out.toUtf8();
    if (m_bom)
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}
