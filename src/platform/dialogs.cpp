#include "platform/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
Dialogs *g_installed = nullptr;

QString caption()
{
    return QStringLiteral("Velmora");
}
} // namespace

Dialogs &Dialogs::instance()
{
    static DesktopDialogs desktop;
    return g_installed ? *g_installed : desktop;
}

void Dialogs::setInstance(Dialogs *d)
{
    g_installed = d;
}

void DesktopDialogs::error(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, caption(), text);
}

void DesktopDialogs::information(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, caption(), text);
}

bool DesktopDialogs::confirm(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, caption(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}

bool DesktopDialogs::inputText(QWidget *parent, const QString &cap, const QString &prompt,
                               QString &value, bool password)
{
    bool ok = false;
    const QString v = QInputDialog::getText(parent, cap, prompt,
                                            password ? QLineEdit::Password : QLineEdit::Normal,
                                            value, &ok);
    if (ok)
        value = v;
    return ok;
}

QString DesktopDialogs::openFileName(QWidget *parent, const QString &cap, const QString &dir,
                                     const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, cap, dir, filter);
}

bool DesktopDialogs::chooseLanguage(QWidget *parent, const QStringList &languages, int &index)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, QStringLiteral("Select Language"), QString(),
                                                 languages, qMax(0, index), false, &ok);
    if (ok)
        index = int(languages.indexOf(chosen));
    return ok && index >= 0;
}

void DesktopDialogs::beep()
{
    QApplication::beep();
}

int DesktopDialogs::runModal(QDialog *dialog)
{
    return dialog->exec();
}

void DesktopDialogs::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

QStringList ScriptedDialogs::texts(const QString &kind) const
{
    QStringList out;
    for (const auto &s : shown)
        if (s.kind == kind)
            out << s.text;
    return out;
}

void ScriptedDialogs::clear()
{
    shown.clear();
    beeps = 0;
}

void ScriptedDialogs::error(QWidget *, const QString &text)
{
    shown.append({QStringLiteral("error"), text});
}

void ScriptedDialogs::information(QWidget *, const QString &text)
{
    shown.append({QStringLiteral("information"), text});
}

bool ScriptedDialogs::confirm(QWidget *, const QString &text)
{
    shown.append({QStringLiteral("confirm"), text});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.takeFirst();
}

bool ScriptedDialogs::inputText(QWidget *, const QString &, const QString &prompt, QString &value,
                                bool)
{
    shown.append({QStringLiteral("input"), prompt});
    if (inputAnswers.isEmpty())
        return false;
    const auto answer = inputAnswers.takeFirst();
    if (!answer)
        return false;
    value = *answer;
    return true;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &cap, const QString &, const QString &)
{
    shown.append({QStringLiteral("file"), cap});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

bool ScriptedDialogs::chooseLanguage(QWidget *, const QStringList &languages, int &index)
{
    shown.append({QStringLiteral("language"), languages.join(QLatin1Char(','))});
    if (languageAnswers.isEmpty())
        return false;
    const auto answer = languageAnswers.takeFirst();
    if (!answer)
        return false;
    index = *answer;
    return true;
}

void ScriptedDialogs::beep()
{
    ++beeps;
}

int ScriptedDialogs::runModal(QDialog *dialog)
{
    shown.append({QStringLiteral("modal"), dialog->objectName()});
    if (modalHandlers.isEmpty())
        return QDialog::Rejected;
    return modalHandlers.takeFirst()(dialog);
}

void ScriptedDialogs::openUrl(const QUrl &url)
{
    shown.append({QStringLiteral("url"), url.toString()});
}
