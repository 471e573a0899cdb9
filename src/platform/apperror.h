#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type of the program: it carries the text the user sees.
class AppError : public std::exception
{
public:
    explicit AppError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const noexcept { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// A refused save: the data set catches it and stays in its state; it is never shown.
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "silent abort"; }
};
