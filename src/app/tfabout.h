#pragma once

#include <QDialog>
#include <memory>

class FormStorage;

// The About box, run modally from the help menu.
class TFAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);
    ~TFAbout() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<FormStorage> JvFormStorage1;
};
