#include "platform/navigatorbar.h"

#include "platform/dialogs.h"
#include "platform/filterdialog.h"
#include "platform/guard.h"
#include "platform/locatedialog.h"
#include "platform/navigatortexts.h"
#include "platform/recordviewdialog.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {

using B = NavigatorBar::Button;

struct ButtonInfo
{
    B button;
    const char *name;
    NavigatorTexts::Text hint;
};

constexpr ButtonInfo infos[] = {
    {B::First, "navFirst", NavigatorTexts::HintFirst},
    {B::PriorPage, "navPriorPage", NavigatorTexts::HintPriorPage},
    {B::Prior, "navPrior", NavigatorTexts::HintPrior},
    {B::Next, "navNext", NavigatorTexts::HintNext},
    {B::NextPage, "navNextPage", NavigatorTexts::HintNextPage},
    {B::Last, "navLast", NavigatorTexts::HintLast},
    {B::Insert, "navInsert", NavigatorTexts::HintInsert},
    {B::Delete, "navDelete", NavigatorTexts::HintDelete},
    {B::Edit, "navEdit", NavigatorTexts::HintEdit},
    {B::Post, "navPost", NavigatorTexts::HintPost},
    {B::Cancel, "navCancel", NavigatorTexts::HintCancel},
    {B::Refresh, "navRefresh", NavigatorTexts::HintRefresh},
    {B::SaveBookmark, "navSaveBookmark", NavigatorTexts::HintSaveBookmark},
    {B::RestoreBookmark, "navRestoreBookmark", NavigatorTexts::HintRestoreBookmark},
    {B::FilterDialog, "navFilter", NavigatorTexts::HintFilter},
    {B::LocateDialog, "navLocate", NavigatorTexts::HintLocate},
    {B::RecordViewDialog, "navRecordView", NavigatorTexts::HintRecordView},
};

const ButtonInfo &infoOf(B b)
{
    return infos[int(b)];
}

bool isMovement(B b)
{
    return b == B::PriorPage || b == B::Prior || b == B::Next || b == B::NextPage;
}

// Simple drawn glyphs, 16 x 16, in the button's text colour.
QIcon glyph(B b, const QColor &color)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    auto left = [&](qreal x) { p.drawPolygon(QPolygonF({{x + 5, 3}, {x, 8}, {x + 5, 13}})); };
    auto right = [&](qreal x) { p.drawPolygon(QPolygonF({{x, 3}, {x + 5, 8}, {x, 13}})); };
    switch (b) {
    case B::First: p.drawLine(QPointF(4, 3), QPointF(4, 13)); left(6); break;
    case B::PriorPage: left(2); left(8); break;
    case B::Prior: left(5); break;
    case B::Next: right(6); break;
    case B::NextPage: right(3); right(9); break;
    case B::Last: right(5); p.drawLine(QPointF(12, 3), QPointF(12, 13)); break;
    case B::Insert: p.drawLine(QPointF(8, 3), QPointF(8, 13)); p.drawLine(QPointF(3, 8), QPointF(13, 8)); break;
    case B::Delete: p.drawLine(QPointF(3, 8), QPointF(13, 8)); break;
    case B::Edit:
        p.drawLine(QPointF(4, 12), QPointF(12, 4));
        p.drawLine(QPointF(3, 13), QPointF(5, 13));
        break;
    case B::Post: p.setBrush(Qt::NoBrush); p.drawPolyline(QPolygonF({{3, 8}, {7, 12}, {13, 4}})); break;
    case B::Cancel: p.drawLine(QPointF(4, 4), QPointF(12, 12)); p.drawLine(QPointF(12, 4), QPointF(4, 12)); break;
    case B::Refresh:
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
        p.setBrush(color);
        p.drawPolygon(QPolygonF({{8, 1}, {11, 3}, {8, 5}}));
        break;
    case B::SaveBookmark: p.drawPolygon(QPolygonF({{4, 2}, {12, 2}, {12, 14}, {8, 10}, {4, 14}})); break;
    case B::RestoreBookmark:
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF({{6, 2}, {13, 2}, {13, 14}, {9.5, 10}, {6, 14}}));
        p.setBrush(color);
        left(1);
        break;
    case B::FilterDialog: p.drawPolygon(QPolygonF({{2, 3}, {14, 3}, {9, 9}, {9, 14}, {7, 13}, {7, 9}})); break;
    case B::LocateDialog:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2.5, 2.5, 8, 8));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        break;
    case B::RecordViewDialog:
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        for (qreal y : {6.0, 9.0, 12.0})
            p.drawLine(QPointF(5, y - 0.5), QPointF(11, y - 0.5));
        break;
    }
    return QIcon(pm);
}

} // namespace

NavigatorBar::NavigatorBar(QWidget *parent) : QWidget(parent), m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(1, 1, 1, 1);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
    connect(&NavigatorTexts::instance(), &NavigatorTexts::changed, this, &NavigatorBar::updateTexts);
}

void NavigatorBar::setDataSet(DataSet *dataSet)
{
    if (m_ds)
        disconnect(m_ds, nullptr, this, nullptr);
    m_ds = dataSet;
    m_bookmark.reset();
    if (m_ds) {
        for (auto signal : {&DataSet::afterScroll, &DataSet::stateChanged, &DataSet::dataReset, &DataSet::afterClose})
            connect(m_ds, signal, this, &NavigatorBar::updateState);
        connect(m_ds, &DataSet::rowInserted, this, &NavigatorBar::updateState);
        connect(m_ds, &DataSet::rowRemoved, this, &NavigatorBar::updateState);
        connect(m_ds, &DataSet::afterClose, this, [this] { m_bookmark.reset(); });
    }
    updateState();
}

QString NavigatorBar::objectNameOf(Button button)
{
    return QString::fromLatin1(infoOf(button).name);
}

void NavigatorBar::setupButton(QToolButton *b)
{
    b->setFixedSize(25, 25);
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(16, 16));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_layout->insertWidget(m_layout->count() - 1, b);
}

QToolButton *NavigatorBar::addButton(Button button)
{
    auto *b = new QToolButton(this);
    b->setObjectName(objectNameOf(button));
    b->setIcon(glyph(button, palette().color(QPalette::ButtonText)));
    if (isMovement(button)) {
        b->setAutoRepeat(true);
        b->setAutoRepeatDelay(500);
        b->setAutoRepeatInterval(100);
    }
    setupButton(b);
    connect(b, &QToolButton::clicked, this, [this, button] { Guard::run([&] { trigger(button); }, this); });
    m_buttons.append({button, b});
    updateTexts();
    updateState();
    return b;
}

void NavigatorBar::addButtons(const QList<Button> &buttons)
{
    for (Button b : buttons)
        addButton(b);
}

QToolButton *NavigatorBar::addCustomButton(const QString &objectName, const QIcon &icon, const QString &hint,
                                           const QString &caption)
{
    auto *b = new QToolButton(this);
    b->setObjectName(objectName);
    b->setIcon(icon);
    // The caption gives the button its mnemonic; the face shows the icon only.
    if (!caption.isEmpty())
        b->setText(caption);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    setupButton(b);
    connect(b, &QToolButton::clicked, this, [this, objectName] { emit customButtonClicked(objectName); });
    return b;
}

QToolButton *NavigatorBar::button(Button button) const
{
    for (const auto &[kind, b] : m_buttons)
        if (kind == button)
            return b;
    return nullptr;
}

void NavigatorBar::updateTexts()
{
    for (const auto &[kind, b] : m_buttons) {
        QString hint = NavigatorTexts::get(infoOf(kind).hint);
        hint.replace(QLatin1String("%d"), QString::number(PageSize));
        b->setToolTip(hint);
        b->setAccessibleName(hint);
    }
}

void NavigatorBar::updateState()
{
    const bool active = m_ds && m_ds->isActive();
    const bool empty = !active || m_ds->isEmpty();
    const bool editing = active && m_ds->isEditing();
    const bool modify = active && m_ds->canModify();
    const int row = active ? m_ds->currentRow() : -1;
    const int count = active ? m_ds->recordCount() : 0;
    const bool atStart = empty || row <= 0;
    const bool atEnd = empty || row >= count - 1;
    for (const auto &[kind, b] : m_buttons) {
        bool on = false;
        switch (kind) {
        case B::First:
        case B::PriorPage:
        case B::Prior: on = !atStart; break;
        case B::Next:
        case B::NextPage:
        case B::Last: on = !atEnd; break;
        case B::Insert: on = modify; break;
        case B::Delete: on = modify && !empty; break;
        case B::Edit: on = modify && !editing; break;
        case B::Post:
        case B::Cancel: on = editing; break;
        case B::Refresh: on = active; break;
        case B::SaveBookmark: on = !empty; break;
        case B::RestoreBookmark: on = !empty && m_bookmark.has_value(); break;
        // The filter stays reachable on an empty result, so the filter can be taken off.
        case B::FilterDialog: on = active; break;
        case B::LocateDialog:
        case B::RecordViewDialog: on = !empty; break;
        }
        b->setEnabled(on);
    }
}

void NavigatorBar::trigger(Button button)
{
    if (!m_ds)
        return;
    DataSet &ds = *m_ds;
    switch (button) {
    case B::First: ds.first(); break;
    case B::PriorPage: ds.moveBy(-PageSize); break;
    case B::Prior: ds.prior(); break;
    case B::Next: ds.next(); break;
    case B::NextPage: ds.moveBy(PageSize); break;
    case B::Last: ds.last(); break;
    case B::Insert: ds.insert(); break;
    case B::Delete:
        if (Dialogs::instance().confirm(window(), NavigatorTexts::get(NavigatorTexts::DeleteConfirmation)))
            ds.remove();
        break;
    case B::Edit: ds.edit(); break;
    case B::Post: ds.post(); break;
    case B::Cancel: ds.cancel(); break;
    case B::Refresh: ds.refresh(); break;
    case B::SaveBookmark: m_bookmark = ds.bookmark(); break;
    case B::RestoreBookmark:
        if (m_bookmark)
            ds.gotoBookmark(*m_bookmark);
        break;
    case B::FilterDialog: {
        FilterDialog dialog(&ds, window());
        Dialogs::instance().runModal(&dialog);
        break;
    }
    case B::LocateDialog: {
        LocateDialog dialog(&ds, window());
        Dialogs::instance().runModal(&dialog);
        break;
    }
    case B::RecordViewDialog: {
        RecordViewDialog dialog(&ds, window());
        Dialogs::instance().runModal(&dialog);
        break;
    }
    }
    updateState();
}
