#include "recipes/tfinfo.h"

#include <QPlainTextEdit>
#include <QPushButton>

TFInfo::TFInfo(const QString &name, const QString &caption, const QString &text, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(324, 160);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(22, 22, 295, 89);
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setPlainText(text);
    Memo1->setEnabled(false);
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    Memo1->setPalette(pal);

    JvBitBtn1 = new QPushButton(tr("OK"), this);
    JvBitBtn1->setObjectName(QStringLiteral("JvBitBtn1"));
    JvBitBtn1->setGeometry(239, 125, 80, 25);
    JvBitBtn1->setDefault(true);
    connect(JvBitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    if (parent) {
        const QPoint centre = parent->mapToGlobal(parent->rect().center());
        move(centre - rect().center());
    }
}

TFInfo1k::TFInfo1k(QWidget *parent)
    : TFInfo(QStringLiteral("FInfo1k"), tr("Info 1K"),
             tr("Rezeptdatenbank für\n"
                "Velmora Lösemittelfarben VL\n"
                "Velmora Papier- und Kartonfarben PK\n"
                "Velmora Kunststofffarben KS"),
             parent)
{
}

TFInfo2k::TFInfo2k(QWidget *parent)
    : TFInfo(QStringLiteral("FInfo2k"), tr("Info 2K"),
             tr("Rezeptdatenbank für\n"
                "Velmora Zweikomponentenfarben ZK\n"
                "Velmora Epoxidfarben EP\n"
                "Velmora Polyurethanfarben PU"),
             parent)
{
}
