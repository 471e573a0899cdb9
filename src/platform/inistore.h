#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// The settings file, held in memory: loaded once when the file name is set, changed in
// memory, written back whole by write() or when the store is destroyed.
//
// Values are addressed by paths "Section\Key"; the section is everything before the last
// backslash and may itself contain backslashes ("Rezeptur1K\TFRezeptur\ADOQuery1Name").
// A path without a backslash addresses the lines above the first section header.
// Section and key names compare without regard to case; the first spelling stays.
//
// Layout on disk: "[Section]", then "Key=Value" lines, then one empty line; sections and
// keys in the order they were first created, a loaded file's order first. Comments (";" or
// "#"), blank lines and lines that are neither headers nor keys are kept where they stood,
// as is the line-ending style, so a hand-written file comes back byte for byte.
class IniStore
{
public:
    IniStore() { clear(); }
    ~IniStore(); // writes the file when a file name is set; errors are ignored
    IniStore(const IniStore &) = delete;
    IniStore &operator=(const IniStore &) = delete;

    // Writes the file of the previous name (if any and different), then loads the new one.
    // A missing file gives an empty store. Returns false when an existing file could not be
    // read: the store is then empty and refuses to write over that file.
    bool setFileName(const QString &path);
    QString fileName() const { return m_fileName; }

    // Writes the whole content atomically (missing folders are created first). On failure
    // the previous file stays as it was and false is returned; nothing is shown.
    bool write();

    // Integer: missing key gives def, present but empty gives 0, anything else that is not
    // a whole 32-bit number raises AppError "''%s'' ist kein gültiger Integer-Wert".
    int readInteger(const QString &path, int def) const;
    void writeInteger(const QString &path, int value);

    // Text: missing key gives def; the text is returned exactly as it follows the "=".
    QString readString(const QString &path, const QString &def = QString()) const;
    // Line breaks in value would split the line (and could forge keys): they become blanks.
    void writeString(const QString &path, const QString &value);

    // Boolean: "TRUE"/"YES"/"Y" read true and "FALSE"/"NO"/"N" read false, in any case and
    // with blanks around; a missing key and any other text give def. Written "TRUE"/"FALSE".
    bool readBool(const QString &path, bool def) const;
    void writeBool(const QString &path, bool value);

    bool valueExists(const QString &path) const;
    bool sectionExists(const QString &section) const;
    QStringList sectionNames() const;                  // without the unnamed top part
    QStringList keyNames(const QString &section) const; // in file order
    bool removeKey(const QString &path);                // true when something was removed
    bool eraseSection(const QString &section);
    void clear();

    // The content as file bytes (UTF-8) and back; parse() replaces the content.
    QByteArray toBytes() const;
    void parse(const QByteArray &bytes);

    // Splits a path at its last backslash into section and key.
    static void splitPath(const QString &path, QString &section, QString &key);

    // Expires with the store, so that users holding a reference can tell it is gone.
    std::weak_ptr<const int> lifetime() const { return m_life; }

private:
    struct Line
    {
        QString text;  // the line itself for anything but a key; the part before "=" for a key
        QString key;   // trimmed key name; empty for non-key lines
        QString value; // everything after the first "="
        bool isKey = false;
    };
    struct Section
    {
        QString name;   // trimmed; empty for the part above the first header
        QString header; // the header line as read, or empty for new sections
        QList<Line> lines;
        int trailingBlanks = 1;
        bool loaded = false;
    };

    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;
    const Line *findLine(const QString &path) const;
    void setValue(const QString &path, const QString &value);

    QList<Section> m_sections; // m_sections[0] is the unnamed top part
    QString m_fileName;
    QByteArray m_lineEnd = "\n";
    bool m_bom = false;
    bool m_finalLineEnd = true;
    bool m_loadFailed = false;
    std::shared_ptr<const int> m_life = std::make_shared<const int>(0);
};
