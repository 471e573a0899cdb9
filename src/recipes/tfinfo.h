#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The short information about the recipe database of one ink system; fixed text, OK closes.
class TFInfo : public QDialog
{
    Q_OBJECT
public:
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *JvBitBtn1 = nullptr;

protected:
    TFInfo(const QString &name, const QString &caption, const QString &text, QWidget *parent);
};

class TFInfo1k : public TFInfo
{
    Q_OBJECT
public:
    explicit TFInfo1k(QWidget *parent = nullptr);
};

class TFInfo2k : public TFInfo
{
    Q_OBJECT
public:
    explicit TFInfo2k(QWidget *parent = nullptr);
};
