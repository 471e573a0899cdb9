#include "app/tfmain.h"

#include "app/backgroundarea.h"
#include "app/placeholderwindow.h"
#include "app/tfabout.h"
#include "common/helpers.h"
#include "common/windowregistry.h"
#include "data/amountcalculation.h"
#include "data/database.h"
#include "platform/dataset.h"
#include "platform/formstorage.h"
#include "platform/inistore.h"
#include "platform/navigatortexts.h"
#include "recipes/tfrezeptur.h"
#include "platform/apperror.h"
#include "platform/dialogs.h"
#include "platform/guard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextEdit>
#include <QUrl>

#include <type_traits>

namespace {
TFMain *g_instance = nullptr;
QString g_programFolder;

const char *const homepage = "https://www.velmora.example";

// Calls f with w as the kind of text box it is; does nothing for any other widget.
template<typename F>
void withTextBox(QWidget *w, F &&f)
{
    if (auto *le = qobject_cast<QLineEdit *>(w))
        f(le);
    else if (auto *te = qobject_cast<QTextEdit *>(w))
        f(te);
    else if (auto *pe = qobject_cast<QPlainTextEdit *>(w))
        f(pe);
}

// A password box keeps its text to itself.
bool hasCopyableSelection(const QLineEdit *box)
{
    return box->hasSelectedText() && box->echoMode() == QLineEdit::Normal;
}

template<typename Editor>
bool hasCopyableSelection(const Editor *box)
{
    return box->textCursor().hasSelection();
}

// Short hint for the tool tip, long one for the status bar ("short|long").
void setHint(QAction *action, const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}
} // namespace

TFMain *TFMain::instance()
{
    return g_instance;
}

QString TFMain::programFolder()
{
    return g_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_programFolder;
}

void TFMain::setProgramFolder(const QString &folder)
{
    g_programFolder = folder;
}

TFMain::TFMain(QWidget *parent) : QMainWindow(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.svg")));

    JvAppIniFileStorage1 = std::make_unique<IniStore>();
    JvFormStorage1 = std::make_unique<FormStorage>(*JvAppIniFileStorage1, this, QStringLiteral("Test\\"));
    JvFormStorage1->onRestore = [this](IniStore &store, const QString &group) { ReadSettings(store, group); };
    JvFormStorage1->onSave = [this](IniStore &store, const QString &group) { WriteSettings(store, group); };
    // Two values the frame has always kept; they have no further effect.
    JvFormStorage1->addStoredValue(QStringLiteral("Name"), FormStorage::ValueKind::Text,
                                   [] { return QVariant(QString()); }, [](const QVariant &) {});
    JvFormStorage1->addStoredValue(QStringLiteral("TestBoolean"), FormStorage::ValueKind::Boolean,
                                   [] { return QVariant(false); }, [](const QVariant &) {});

    m_mdiArea = new BackgroundArea(this);
    setCentralWidget(m_mdiArea);
    createMenus();
    statusBar();
    resize(914, 740);

    connect(qApp, &QApplication::focusChanged, this, [this] { updateEditActions(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { updateEditActions(); });
    updateEditActions();

    // Any error in the creation steps is shown; the remaining steps are skipped and the
    // window still opens.
    Guard::run([this] { FormCreate(); });
}

TFMain::~TFMain()
{
    // Children die after this body; focus moves then must not reach our half-gone actions.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
    if (m_editTarget)
        disconnect(m_editTarget, nullptr, this, nullptr);
    // Child windows still open go first: their queries hold the connection and their
    // storages the settings. Then the frame's storage, then the store writes the file.
    qDeleteAll(m_mdiArea->subWindowList());
    JvFormStorage1.reset();
    JvAppIniFileStorage1.reset();
    Database::close();
    if (g_instance == this)
        g_instance = nullptr;
}

void TFMain::FormCreate()
{
    // 1. The per-user data folder.
    DataFolder = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                 + QStringLiteral("/Velmora"));
    // 2. With its parents: on a fresh account ~/.local/share may not exist yet. A failure
    // shows up in the copy below.
    QDir().mkpath(DataFolder);
    // 3. The database is copied once and never replaced.
    const QString dbFile = DataFolder + QStringLiteral("/Velmora.db");
    if (!QFileInfo::exists(dbFile))
        CopyFileStream(QDir(programFolder()).filePath(QStringLiteral("Velmora.db")), dbFile);
    // 4.
    IniFileName = DataFolder + QStringLiteral("/Velmora.ini");
    // 5.
    Database::open(dbFile);
    m_connected = true;
    // 6. The settings file is read into memory once; it is written at the end of the run.
    JvAppIniFileStorage1->setFileName(IniFileName);
    // 8. navigator texts for the language in force; German before any is chosen.
    SwitchInfoPowerTexts(m_languageIndex);
}

void TFMain::CalculateAmounts(const DataSet &recipe, double total, QString &amount1, QString &amount2,
                              QString &amount3, QString &amount4, QString &amount5, QString &amount6)
{
    std::array<double, 6> shares{};
    // Fields are only read when there is something to compute.
    double gesamt = 0;
    if (total > 0) {
        gesamt = recipe.fieldByName(QStringLiteral("Anteil gesamt")).asDouble();
        if (gesamt != 0)
            for (int i = 0; i < 6; ++i)
                shares[size_t(i)] = recipe.fieldByName(QStringLiteral("Anteil-%1").arg(i + 1)).asDouble();
    }
    const AmountCalculation::Amounts a = AmountCalculation::calculate(gesamt, shares, total);
    amount1 = a[0];
    amount2 = a[1];
    amount3 = a[2];
    amount4 = a[3];
    amount5 = a[4];
    amount6 = a[5];
}

void TFMain::ReadSettings(IniStore &store, const QString &group)
{
    MengeStartwert = store.readInteger(group + QStringLiteral("Menge Startwert"), 0);
    ImportFileRezeptur = store.readString(group + QStringLiteral("ImportFileRezeptur"));
    ImportFileFarbverbrauch = store.readString(group + QStringLiteral("ImportFileFarbverbrauch"));
    const int language = store.readInteger(group + QStringLiteral("Sprache"), -1);
    if (language >= 0) {
        m_languageIndex = language;
        SwitchInfoPowerTexts(m_languageIndex);
    }
}

void TFMain::WriteSettings(IniStore &store, const QString &group)
{
    store.writeInteger(group + QStringLiteral("Menge Startwert"), MengeStartwert);
    store.writeString(group + QStringLiteral("ImportFileRezeptur"), ImportFileRezeptur);
    store.writeString(group + QStringLiteral("ImportFileFarbverbrauch"), ImportFileFarbverbrauch);
    store.writeInteger(group + QStringLiteral("Sprache"), m_languageIndex);
}

void TFMain::FilterNumericKey(QChar &key)
{
    AmountCalculation::filterKey(key);
}

void TFMain::SwitchInfoPowerTexts(int languageIndex)
{
    NavigatorTexts::instance().switchInfoPowerTexts(languageIndex);
}

void TFMain::createMenus()
{
    auto addMenu = [this](const QString &name, const QString &title) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(name);
        return menu;
    };
    // Every command runs through the guard: an error is shown and the program goes on.
    auto addItem = [this](QMenu *menu, const QString &name, const QString &text, std::function<void()> command) {
        QAction *a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, command] { Guard::run(command, this); });
        return a;
    };
    auto addSeparator = [](QMenu *menu, const QString &name) {
        QAction *s = menu->addSeparator();
        s->setObjectName(name);
        return s;
    };
    auto placeholder = [this](Slot slot, const QString &name, const QString &caption) {
        return [this, slot, name, caption] {
            WindowRegistry::ShowAsChild(slot, m_mdiArea,
                                        [name, caption] { return new PlaceholderWindow(name, caption); });
        };
    };

    QMenu *datei = addMenu(QStringLiteral("Datei1"), tr("&Datei"));
    FileExit1 = datei->addAction(tr("&Beenden"));
    FileExit1->setObjectName(QStringLiteral("FileExit1"));
    setHint(FileExit1, tr("Beenden|Programm beenden"));
    connect(FileExit1, &QAction::triggered, this, &QWidget::close);

    QMenu *bearbeiten = addMenu(QStringLiteral("Bearbeiten1"), tr("&Bearbeiten"));
    EditCut1 = bearbeiten->addAction(tr("&Ausschneiden"));
    EditCut1->setObjectName(QStringLiteral("EditCut1"));
    EditCut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    setHint(EditCut1, tr("Ausschneiden|Markiertes Objekt in die Zwischenablage verschieben"));
    EditCopy1 = bearbeiten->addAction(tr("&Kopieren"));
    EditCopy1->setObjectName(QStringLiteral("EditCopy1"));
    EditCopy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    setHint(EditCopy1, tr("Kopieren|Markiertes Objekt in die Zwischenablage kopieren"));
    EditPaste1 = bearbeiten->addAction(tr("&Einfügen"));
    EditPaste1->setObjectName(QStringLiteral("EditPaste1"));
    EditPaste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    setHint(EditPaste1, tr("Einfügen|Inhalt der Zwischenablage einfügen"));
    addSeparator(bearbeiten, QStringLiteral("N1"))->setVisible(false);
    connect(EditCut1, &QAction::triggered, this, [this] { withTextBox(m_editTarget, [](auto *box) { box->cut(); }); });
    connect(EditCopy1, &QAction::triggered, this,
            [this] { withTextBox(m_editTarget, [](auto *box) { box->copy(); }); });
    connect(EditPaste1, &QAction::triggered, this,
            [this] { withTextBox(m_editTarget, [](auto *box) { box->paste(); }); });

    QMenu *rezeptur = addMenu(QStringLiteral("Rezeptur1"), tr("&Rezeptur"));
    addItem(rezeptur, QStringLiteral("Rezeptur1K1"), tr("Rezeptur &1K"), [this] { Rezeptur1K1Click(); });
    addItem(rezeptur, QStringLiteral("Rezeptur2K1"), tr("Rezeptur &2K"), [this] { Rezeptur2K1Click(); });
    addSeparator(rezeptur, QStringLiteral("N2"));
    addItem(rezeptur, QStringLiteral("EigeneRezeptur1"), tr("&Eigene Rezeptur"),
                       placeholder(Slot::RezepturEigen, QStringLiteral("FRezepturEigen"), tr("Eigene Rezeptur")));
    addSeparator(rezeptur, QStringLiteral("N3"));
    addItem(rezeptur, QStringLiteral("Farbverbrauch1"), tr("&Farbverbrauch"),
                       placeholder(Slot::Farbverbrauch, QStringLiteral("FFarbverbrauch"), tr("Farbverbrauch")));
    addSeparator(rezeptur, QStringLiteral("N4"));
    addItem(rezeptur, QStringLiteral("ImportStandardrezepturen1"), tr("&Import Standardrezepturen"),
                       placeholder(Slot::ImportRezepturen, QStringLiteral("FImportRezepturen"),
                                   tr("Import Standardrezepturen")));
    addItem(rezeptur, QStringLiteral("ImportFarbverbrauchsdaten1"), tr("Import Farbverbrauchsdaten"),
                       placeholder(Slot::ImportFarbverbrauch, QStringLiteral("FImportFarbverbrauch"),
                                   tr("Import Farbverbrauchsdaten")));

    QMenu *extras = addMenu(QStringLiteral("Extras1"), tr("&Extras"));
    QAction *sprache = extras->addAction(tr("&Sprache"));
    sprache->setObjectName(QStringLiteral("Sprache1"));
    sprache->setEnabled(false); // language switching is not built yet
    QAction *optionen = extras->addAction(tr("&Optionen"));
    optionen->setObjectName(QStringLiteral("Optionen1"));
    optionen->setEnabled(false); // options window is not built yet

    m_windowMenu = addMenu(QStringLiteral("Fenster1"), tr("&Fenster"));
    m_windowCommands << addItem(m_windowMenu, QStringLiteral("Nebeneinander1"), tr("&Nebeneinander"),
                                [this] { Nebeneinander1Click(); })
                     << addItem(m_windowMenu, QStringLiteral("Untereinander1"), tr("&Untereinander"),
                                [this] { Untereinander1Click(); })
                     << addItem(m_windowMenu, QStringLiteral("Uebereinander1"), tr("Über&einander"),
                                [this] { Uebereinander1Click(); })
                     << addItem(m_windowMenu, QStringLiteral("IconsAnordnen1"), tr("&Icons anordnen"),
                                [this] { IconsAnordnen1Click(); })
                     << addItem(m_windowMenu, QStringLiteral("AlleVerkleinern1"), tr("&Alle verkleinern"),
                                [this] { AlleVerkleinern1Click(); });
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] { fillWindowMenu(); });

    QMenu *hilfe = addMenu(QStringLiteral("Hilfe1"), tr("&Hilfe"));
    addItem(hilfe, QStringLiteral("Homepage1"), tr("Homepage"), [this] { Homepage1Click(); });
    addSeparator(hilfe, QStringLiteral("N5"));
    QAction *info = addItem(hilfe, QStringLiteral("Info1"), tr("&Info..."), [this] { Info1Click(); });
    setHint(info, tr("Info|Anzeige von Programminformationen, Versionsnummer und Copyright-Vermerk"));

    for (QMenu *menu : menuBar()->findChildren<QMenu *>())
        menu->setToolTipsVisible(true);
}

void TFMain::updateEditActions()
{
    QWidget *w = QApplication::focusWidget();
    if (w != m_editTarget) {
        if (m_editTarget)
            disconnect(m_editTarget, nullptr, this, nullptr);
        m_editTarget = nullptr;
        const auto follow = [this] { updateEditActions(); };
        withTextBox(w, [&](auto *box) {
            m_editTarget = box;
            if constexpr (std::is_same_v<decltype(box), QLineEdit *>)
                connect(box, &QLineEdit::selectionChanged, this, follow);
            else
                connect(box, &std::remove_pointer_t<decltype(box)>::copyAvailable, this, follow);
        });
    }
    bool selection = false;
    bool editable = false;
    withTextBox(m_editTarget, [&](auto *box) {
        selection = hasCopyableSelection(box);
        editable = !box->isReadOnly();
    });
    const bool clipboardText = !QGuiApplication::clipboard()->text().isEmpty();
    EditCut1->setEnabled(selection && editable);
    EditCopy1->setEnabled(selection);
    EditPaste1->setEnabled(m_editTarget && editable && clipboardText);
}

void TFMain::fillWindowMenu()
{
    for (QAction *a : m_windowMenu->actions())
        if (!m_windowCommands.contains(a))
            m_windowMenu->removeAction(a), a->deleteLater();
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    m_windowMenu->addSeparator();
    int n = 0;
    for (QMdiSubWindow *w : windows) {
        ++n;
        const QString text = n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(w->windowTitle())
                                    : QStringLiteral("%1 %2").arg(n).arg(w->windowTitle());
        QAction *a = m_windowMenu->addAction(text);
        a->setCheckable(true);
        a->setChecked(w == m_mdiArea->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(w)] {
            if (!w)
                return;
            if (w->isMinimized())
                w->showNormal();
            m_mdiArea->setActiveSubWindow(w);
        });
    }
}

void TFMain::Rezeptur1K1Click()
{
    openRecipeWindow(Slot::Rezeptur1K, 1);
}

void TFMain::Rezeptur2K1Click()
{
    openRecipeWindow(Slot::Rezeptur2K, 2);
}

void TFMain::openRecipeWindow(Slot slot, int inkSystem)
{
    // An open window only comes to the front; a new one is set up once shown.
    if (WindowRegistry::window(slot)) {
        WindowRegistry::ShowAsChild(slot, m_mdiArea, nullptr);
        return;
    }
    auto *w = static_cast<TFRezeptur *>(
        WindowRegistry::ShowAsChild(slot, m_mdiArea, [] { return new TFRezeptur; }));
    if (inkSystem == 1)
        w->Setup1K();
    else
        w->Setup2K();
}

void TFMain::Info1Click()
{
    WindowRegistry::ShowAsModal(Slot::About, [this] { return new TFAbout(this); });
}

void TFMain::tileLinear(bool sideBySide)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *w : m_mdiArea->subWindowList())
        if (!w->isMinimized() && w->isVisible())
            windows << w;
    if (windows.isEmpty())
        return;
    // Leave room for the icons of minimised windows along the bottom.
    QRect area = m_mdiArea->viewport()->rect();
    bool anyMinimised = false;
    for (QMdiSubWindow *w : m_mdiArea->subWindowList())
        anyMinimised = anyMinimised || w->isMinimized();
    if (anyMinimised)
        area.setBottom(area.bottom() - m_mdiArea->fontMetrics().height() * 2);
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *w = windows.at(i);
        if (w->isMaximized())
            w->showNormal();
        QRect r;
        if (sideBySide) {
            const int x0 = area.left() + area.width() * i / n;
            const int x1 = area.left() + area.width() * (i + 1) / n;
            r = QRect(x0, area.top(), x1 - x0, area.height());
        } else {
            const int y0 = area.top() + area.height() * i / n;
            const int y1 = area.top() + area.height() * (i + 1) / n;
            r = QRect(area.left(), y0, area.width(), y1 - y0);
        }
        w->setGeometry(r);
    }
}

void TFMain::Nebeneinander1Click()
{
    tileLinear(true);
}

void TFMain::Untereinander1Click()
{
    tileLinear(false);
}

void TFMain::Uebereinander1Click()
{
    m_mdiArea->cascadeSubWindows();
}

void TFMain::IconsAnordnen1Click()
{
    // Minimised windows in a row along the bottom edge, wrapping upwards.
    const QRect area = m_mdiArea->viewport()->rect();
    int x = area.left();
    int y = area.bottom() + 1;
    for (QMdiSubWindow *w : m_mdiArea->subWindowList()) {
        if (!w->isMinimized())
            continue;
        const QSize s = w->size();
        if (x > area.left() && x + s.width() > area.right())
            x = area.left(), y -= s.height();
        if (x == area.left() && y == area.bottom() + 1)
            y -= s.height();
        w->move(x, y);
        x += s.width();
    }
}

void TFMain::AlleVerkleinern1Click()
{
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        (*it)->showMinimized();
}

void TFMain::Homepage1Click()
{
    Dialogs::instance().openUrl(QUrl(QString::fromLatin1(homepage)));
}

void TFMain::closeEvent(QCloseEvent *event)
{
    // Every child is asked first; one that refuses keeps the program running.
    m_mdiArea->closeAllSubWindows();
    if (!m_mdiArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
}
