#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

class QWidget;
class QDialog;

// Everything that would block on a modal loop or talk to the desktop goes through here.
// Production code calls only this interface; tests install ScriptedDialogs.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Message boxes, caption "Velmora".
    virtual void error(QWidget *parent, const QString &text) = 0;
    virtual void information(QWidget *parent, const QString &text) = 0;
    virtual bool confirm(QWidget *parent, const QString &text) = 0;

    // Input box; returns false when cancelled. value holds the default on entry.
    virtual bool inputText(QWidget *parent, const QString &caption, const QString &prompt,
                           QString &value, bool password = false) = 0;

    // File chooser; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;

    // Language chooser; returns false when cancelled, else index is the chosen entry.
    virtual bool chooseLanguage(QWidget *parent, const QStringList &languages, int &index) = 0;

    virtual void beep() = 0;

    // Runs any modal dialog (print preview included) and returns its result.
    virtual int runModal(QDialog *dialog) = 0;

    virtual void openUrl(const QUrl &url) = 0;

    static Dialogs &instance();
    // Installs d (not owned); nullptr brings back the production implementation.
    static void setInstance(Dialogs *d);
};

// The real boxes and choosers.
class DesktopDialogs : public Dialogs
{
public:
    void error(QWidget *parent, const QString &text) override;
    void information(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    bool inputText(QWidget *parent, const QString &caption, const QString &prompt, QString &value,
                   bool password) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    bool chooseLanguage(QWidget *parent, const QStringList &languages, int &index) override;
    void beep() override;
    int runModal(QDialog *dialog) override;
    void openUrl(const QUrl &url) override;
};

// Records what was shown and gives scripted answers; never blocks.
class ScriptedDialogs : public Dialogs
{
public:
    ScriptedDialogs() { setInstance(this); }
    ~ScriptedDialogs() override { setInstance(nullptr); }

    struct Shown
    {
        QString kind; // "error", "information", "confirm", "input", "file", "language", "modal", "url"
        QString text;
    };
    QList<Shown> shown;
    int beeps = 0;

    // Answers, taken from the front; defaults when empty: confirm no, input cancelled,
    // file cancelled, language cancelled, modal rejected without running.
    QList<bool> confirmAnswers;
    QList<std::optional<QString>> inputAnswers;
    QStringList fileAnswers;
    QList<std::optional<int>> languageAnswers;
    // Called with the dialog instead of a modal loop; returns the dialog's result.
    QList<std::function<int(QDialog *)>> modalHandlers;

    QStringList texts(const QString &kind) const;
    void clear();

    void error(QWidget *parent, const QString &text) override;
    void information(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    bool inputText(QWidget *parent, const QString &caption, const QString &prompt, QString &value,
                   bool password) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    bool chooseLanguage(QWidget *parent, const QStringList &languages, int &index) override;
    void beep() override;
    int runModal(QDialog *dialog) override;
    void openUrl(const QUrl &url) override;
};
