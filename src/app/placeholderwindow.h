#pragma once

#include <QWidget>

// Stands in for a child window whose work is not built yet, so the menu already behaves
// as it will: one window per kind, closed by Escape or its close box.
class PlaceholderWindow : public QWidget
{
    Q_OBJECT
public:
    PlaceholderWindow(const QString &name, const QString &caption, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
