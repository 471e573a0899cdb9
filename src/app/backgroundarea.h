#pragma once

#include <QMdiArea>
#include <QPixmap>

// The MDI area with the program's background picture, stretched to the whole client area.
class BackgroundArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit BackgroundArea(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_scaled;
};
