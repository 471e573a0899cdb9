#include "app/tfabout.h"

#include "app/tfmain.h"
#include "platform/formstorage.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(tr("Info über"));
    setFixedSize(298, 218);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(7, 7, 281, 161);

    auto *product = new QLabel(QStringLiteral("Velmora"), panel);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont big = product->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 2);
    product->setFont(big);
    product->move(88, 16);

    auto *version = new QLabel(tr("Version: 1.03"), panel);
    version->setObjectName(QStringLiteral("Version"));
    version->move(88, 40);

    auto *date = new QLabel(tr("Stand:  3 August 2011"), panel);
    date->setObjectName(QStringLiteral("BuildDate"));
    date->move(88, 57);

    auto *copyright = new QLabel(tr("Copyright © Velmora Farbtechnik"), panel);
    copyright->setObjectName(QStringLiteral("Copyright"));
    copyright->move(8, 80);

    auto *note = new QPlainTextEdit(panel);
    note->setObjectName(QStringLiteral("Memo1"));
    note->setGeometry(8, 98, 185, 55);
    note->setFrameStyle(QFrame::NoFrame);
    note->setPlainText(tr("Entwicklung:\nVelmora Farbtechnik\ninfo@velmora.example"));
    note->setEnabled(false);
    QPalette pal = note->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    note->setPalette(pal);

    auto *close = new QPushButton(tr("&Schließen"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setGeometry(104, 185, 80, 25);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (TFMain *main = TFMain::instance())
        JvFormStorage1 = std::make_unique<FormStorage>(main->settingsStore(), this);
}

TFAbout::~TFAbout() = default;

void TFAbout::keyPressEvent(QKeyEvent *event)
{
    // Escape closes whatever shift keys are held.
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
