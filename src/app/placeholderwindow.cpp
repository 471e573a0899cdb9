#include "app/placeholderwindow.h"

#include "common/windowregistry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

PlaceholderWindow::PlaceholderWindow(const QString &name, const QString &caption, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("Dieses Fenster ist in Vorbereitung."), this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    resize(360, 200);
}

void PlaceholderWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        WindowRegistry::closeWindow(this);
        return;
    }
    QWidget::keyPressEvent(event);
}
