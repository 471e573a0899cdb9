#include "recipes/tfrezeptur.h"

#include "app/tfmain.h"
#include "common/windowregistry.h"
#include "data/amountcalculation.h"
#include "platform/datagrid.h"
#include "platform/dataset.h"
#include "platform/dialogs.h"
#include "platform/formstorage.h"
#include "platform/inistore.h"
#include "platform/guard.h"
#include "platform/navigatorbar.h"
#include "platform/numbertext.h"
#include "recipes/recipeicons.h"
#include "recipes/tfinfo.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// The body keeps its designed size and lets the grid take whatever room is left.
class RecipeBody : public QWidget
{
public:
    using QWidget::QWidget;
    QWidget *grid = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override
    {
        if (grid)
            grid->setGeometry(16, 388, qMax(100, width() - 16 - 12), qMax(40, height() - 388 - 12));
    }
};

QLineEdit *readOnlyBox(QWidget *parent, const QString &name, int x, int y, int width)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(x, y, width, 21);
    box->setReadOnly(true);
    box->setEnabled(false);
    return box;
}

QLabel *label(QWidget *parent, const QString &text, int x, int y, QWidget *buddy)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TFRezeptur::TFRezeptur(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FRezeptur"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(574, 511);

    ADOQuery1 = new DataSet(this);
    ADOQuery1->setObjectName(QStringLiteral("ADOQuery1"));
    ADOQuery1->setReadOnly(true);
    ADOQuery1->setStatement({QStringLiteral("select * from T_Farben"), QStringLiteral("order by Rezeptname")});
    declareFields();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    wwDBNavigator1 = new NavigatorBar(this);
    wwDBNavigator1->setObjectName(QStringLiteral("wwDBNavigator1"));
    wwDBNavigator1->setDataSet(ADOQuery1);
    using B = NavigatorBar::Button;
    wwDBNavigator1->addButtons({B::First, B::PriorPage, B::Prior, B::Next, B::NextPage, B::Last, B::Refresh,
                                B::SaveBookmark, B::RestoreBookmark, B::FilterDialog, B::LocateDialog});
    wwDBNavigator1->addCustomButton(QStringLiteral("wwDBNavigator1Button2"), RecipeIcons::question(),
                                                    tr("Info"));
    wwDBNavigator1->addCustomButton(QStringLiteral("wwDBNavigator1Button3"),
                                                     RecipeIcons::printer(), tr("Drucken"), tr("&Drucken"));
    connect(wwDBNavigator1, &NavigatorBar::customButtonClicked, this, [this](const QString &name) {
        Guard::run(
            [&] {
                if (name == QLatin1String("wwDBNavigator1Button2"))
                    wwDBNavigator1Button2Click();
                else if (name == QLatin1String("wwDBNavigator1Button3"))
                    wwDBNavigator1Button3Click();
            },
            this);
    });
    auto *barRow = new QHBoxLayout;
    barRow->setContentsMargins(0, 0, 0, 0);
    barRow->addWidget(wwDBNavigator1);
    barRow->addStretch();
    layout->addLayout(barRow);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    auto *body = new RecipeBody;
    body->setMinimumSize(545, 388 + 75 + 12);
    m_body = body;
    buildRecordPanel(body);
    JvDBUltimGrid1 = new DataGrid(body);
    JvDBUltimGrid1->setObjectName(QStringLiteral("JvDBUltimGrid1"));
    JvDBUltimGrid1->setDataSet(ADOQuery1);
    body->grid = JvDBUltimGrid1;
    m_scroll->setWidget(body);
    layout->addWidget(m_scroll);

    // Placement and grid layout: "FRezeptur" until set up, then the ink system's own group.
    setProperty(FormStorage::ClassNameProperty, QStringLiteral("TFRezeptur"));
    if (TFMain *main = TFMain::instance()) {
        JvFormStorage1 = std::make_unique<FormStorage>(main->settingsStore(), this);
        JvFormStorage1->addLayoutTarget(ADOQuery1);
    }

    connect(ADOQuery1, &DataSet::afterScroll, this, [this] { Guard::run([this] { ADOQuery1AfterScroll(); }, this); });
    connect(ADOQuery1, &DataSet::dataReset, this, [this] { showRecord(); });
    connect(ADOQuery1, &DataSet::afterClose, this, [this] { showRecord(); });
}

TFRezeptur::~TFRezeptur() = default;

void TFRezeptur::declareFields()
{
    auto declare = [this](const QString &name, int width, bool visible) {
        DataField &f = ADOQuery1->declareField(name);
        if (width > 0)
            f.setDisplayWidth(width);
        f.setVisible(visible);
        return &f;
    };
    declare(QStringLiteral("Rezeptname"), 15, true);
    declare(QStringLiteral("Beschreibung"), 25, true);
    for (int i = 1; i <= 6; ++i) {
        declare(QStringLiteral("Farbe-%1").arg(i), 10, i <= 5);
        declare(QStringLiteral("Anteil-%1").arg(i), 10, i <= 5)->setDisplayFormat(QStringLiteral("0.000"));
    }
    declare(QStringLiteral("Anteil gesamt"), 10, true)->setDisplayFormat(QStringLiteral("0.000"));
    declare(QStringLiteral("Bemerkung"), 10, false);
    declare(QStringLiteral("Farbtyp"), 2, false);
}

void TFRezeptur::buildRecordPanel(QWidget *panel)
{
    const int left = 16, middle = 211, right = 415;

    QLineEdit *name = readOnlyBox(panel, QStringLiteral("DBEditRezeptname"), left, 32, 135);
    label(panel, tr("Rezeptname"), left, 16, name);
    QLineEdit *description = readOnlyBox(panel, QStringLiteral("DBEditBeschreibung"), middle, 32, 198);
    label(panel, tr("Beschreibung"), middle, 16, description);
    m_boundBoxes << std::pair{QStringLiteral("Rezeptname"), name}
                 << std::pair{QStringLiteral("Beschreibung"), description};

    JvEdit1 = new QLineEdit(panel);
    JvEdit1->setObjectName(QStringLiteral("JvEdit1"));
    JvEdit1->setGeometry(right, 32, 60, 21);
    QPalette red = JvEdit1->palette();
    red.setColor(QPalette::Text, Qt::red);
    JvEdit1->setPalette(red);
    NumericKeyFilter::attach(JvEdit1);
    JvEdit1->installEventFilter(this);
    label(panel, tr("Rezeptmenge gesamt"), right, 16, JvEdit1);

    JvBitBtn1 = new QPushButton(panel);
    JvBitBtn1->setObjectName(QStringLiteral("JvBitBtn1"));
    JvBitBtn1->setGeometry(right + 66, 30, 30, 25);
    JvBitBtn1->setIcon(RecipeIcons::calculate());
    JvBitBtn1->setIconSize(QSize(18, 18));
    JvBitBtn1->setToolTip(tr("Rezeptur berechnen"));
    JvBitBtn1->setAccessibleName(tr("Rezeptur berechnen"));
    connect(JvBitBtn1, &QPushButton::clicked, this, [this] { Guard::run([this] { JvBitBtn1Click(); }, this); });

    const int labelY[5] = {59, 102, 145, 188, 231};
    for (int i = 0; i < 5; ++i) {
        const int n = i + 1;
        const int y = labelY[i];
        QLineEdit *colour = readOnlyBox(panel, QStringLiteral("DBEditFarbe%1").arg(n), left, y + 16, 134);
        label(panel, tr("Farbe-%1").arg(n), left, y, colour);
        QLineEdit *share = readOnlyBox(panel, QStringLiteral("DBEditAnteil%1").arg(n), middle, y + 16, 60);
        share->setAlignment(Qt::AlignRight);
        label(panel, tr("Anteil-%1").arg(n), middle, y, share);
        m_boundBoxes << std::pair{QStringLiteral("Farbe-%1").arg(n), colour}
                     << std::pair{QStringLiteral("Anteil-%1").arg(n), share};

        auto *amount = new QLineEdit(panel);
        amount->setObjectName(QStringLiteral("JvME_Menge%1").arg(n));
        amount->setGeometry(right, y + 16, 60, 21);
        amount->setReadOnly(true);
        amount->setFocusPolicy(Qt::NoFocus);
        amount->setAlignment(Qt::AlignRight);
        QPalette face = amount->palette();
        face.setColor(QPalette::Base, face.color(QPalette::Button));
        amount->setPalette(face);
        label(panel, tr("Menge-%1").arg(n), right, y, amount);
        JvME_Menge[size_t(i)] = amount;
    }

    m_remark = new QPlainTextEdit(panel);
    m_remark->setObjectName(QStringLiteral("DBMemoBemerkung"));
    m_remark->setGeometry(left, 293, 516, 60);
    m_remark->setReadOnly(true);
    m_remark->setEnabled(false);
    label(panel, tr("Bemerkung"), left, 274, m_remark);
}

void TFRezeptur::showRecord()
{
    const bool hasRow = ADOQuery1->isActive() && !ADOQuery1->isEmpty();
    for (const auto &[fieldName, box] : m_boundBoxes) {
        const DataField *f = hasRow ? ADOQuery1->findField(fieldName) : nullptr;
        box->setText(f ? f->displayText() : QString());
        box->setCursorPosition(0);
    }
    const DataField *remark = hasRow ? ADOQuery1->findField(QStringLiteral("Bemerkung")) : nullptr;
    m_remark->setPlainText(remark ? remark->asString() : QString());
}

void TFRezeptur::Setup1K()
{
    setup(1);
}

void TFRezeptur::Setup2K()
{
    setup(2);
}

void TFRezeptur::setup(int inkSystem)
{
    setWindowTitle(inkSystem == 1 ? tr("1K Rezepturen") : tr("2K Rezepturen"));
    InkSystem = inkSystem;
    if (ADOQuery1->isActive())
        ADOQuery1->close();
    ADOQuery1->clearStatement();
    // A constant of ours, not user input: it may stand in the statement text.
    ADOQuery1->addLine(inkSystem == 1 ? QStringLiteral("Select * from T_Farben where FarbTyp = '1K' ")
                                      : QStringLiteral("Select * from T_Farben where FarbTyp = '2K' "));
    if (JvFormStorage1)
        JvFormStorage1->setStoragePath(inkSystem == 1 ? QStringLiteral("Rezeptur1K") : QStringLiteral("Rezeptur2K"));
    OpenRecipes();
}

void TFRezeptur::OpenRecipes()
{
    // Names sort as a German reader expects: case-insensitive, Ä with A.
    ADOQuery1->addLine(QStringLiteral("Order by Rezeptname COLLATE GERMAN"));
    ADOQuery1->open(); // its after-scroll shows the first recipe
    if (JvFormStorage1)
        JvFormStorage1->restore();
    if (TFMain *main = TFMain::instance())
        JvEdit1->setText(QString::number(main->MengeStartwert));
    JvBitBtn1Click();
}

void TFRezeptur::JvBitBtn1Click()
{
    const QString text = JvEdit1->text();
    if (text.isEmpty())
        return;
    const double total = NumberText::toDouble(text);
    QString amounts[6];
    if (ADOQuery1->isActive() && !ADOQuery1->isEmpty())
        TFMain::CalculateAmounts(*ADOQuery1, total, amounts[0], amounts[1], amounts[2], amounts[3], amounts[4],
                                 amounts[5]);
    for (size_t i = 0; i < JvME_Menge.size(); ++i)
        JvME_Menge[i]->setText(amounts[i]);
}

void TFRezeptur::ADOQuery1AfterScroll()
{
    showRecord();
    JvBitBtn1Click();
}

void TFRezeptur::JvEdit1Enter()
{
    JvBitBtn1Click();
}

void TFRezeptur::wwDBNavigator1Button2Click()
{
    TFMain *main = TFMain::instance();
    if (InkSystem == 1)
        WindowRegistry::ShowAsModal(Slot::Info1k, [main] { return new TFInfo1k(main); });
    else if (InkSystem == 2)
        WindowRegistry::ShowAsModal(Slot::Info2k, [main] { return new TFInfo2k(main); });
}

void TFRezeptur::wwDBNavigator1Button3Click()
{
    Dialogs::instance().information(this, tr("Das Drucken von Rezepturen ist noch nicht verfügbar."));
}

bool TFRezeptur::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == JvEdit1 && event->type() == QEvent::FocusIn)
        Guard::run([this] { JvEdit1Enter(); }, this);
    return QWidget::eventFilter(watched, event);
}

void TFRezeptur::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window whatever shift keys are held.
    if (event->key() == Qt::Key_Escape) {
        WindowRegistry::closeWindow(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFRezeptur::closeEvent(QCloseEvent *event)
{
    WindowRegistry::release(this);
    event->accept();
}
