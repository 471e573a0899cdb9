#pragma once

#include <QDialog>

// The About box, run modally from the help menu.
class TFAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
