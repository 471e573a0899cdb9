#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

#include "common/windowregistry.h"

class DataSet;
class FormStorage;
class IniStore;
class QAction;
class QMdiArea;
class QMenu;

// The one frame window of the program. It owns what all windows share (connection,
// default total, import paths) and is reached through TFMain::instance().
class TFMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFMain(QWidget *parent = nullptr);
    ~TFMain() override;

    static TFMain *instance();

    // The folder that holds the program's own starter database; settable by tests.
    static QString programFolder();
    static void setProgramFolder(const QString &folder);

    QMdiArea *mdiArea() const { return m_mdiArea; }

    QString DataFolder;
    QString IniFileName;
    QString ImportFileRezeptur;
    int MengeStartwert = 0;
    QString ImportFileFarbverbrauch;

    // The amounts of the data set's current recipe for total, as six texts; every output is
    // assigned on every call.
    static void CalculateAmounts(const DataSet &recipe, double total, QString &amount1, QString &amount2,
                                 QString &amount3, QString &amount4, QString &amount5, QString &amount6);
    // Leaves a typed character that a number may contain; else sets it to 0 and beeps.
    static void FilterNumericKey(QChar &key);
    // -1 or 0 selects the German navigator texts, 1 the English ones, others change nothing.
    static void SwitchInfoPowerTexts(int languageIndex);

    // The settings held in memory for the whole run, written once at the end.
    IniStore &settingsStore() const { return *JvAppIniFileStorage1; }
    FormStorage &formStorage() const { return *JvFormStorage1; }

    // The main window's own values, read when it is first shown and written at the end.
    void ReadSettings(IniStore &store, const QString &group);
    void WriteSettings(IniStore &store, const QString &group);

    // -1 until a language has been chosen, then its index (0 German, 1 English).
    int languageIndex() const { return m_languageIndex; }

    // Whether start-up connected to the database.
    bool isConnected() const { return m_connected; }

public slots:
    void Rezeptur1K1Click();
    void Rezeptur2K1Click();
    void Info1Click();
    void Nebeneinander1Click();
    void Untereinander1Click();
    void Uebereinander1Click();
    void IconsAnordnen1Click();
    void AlleVerkleinern1Click();
    void Homepage1Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void createMenus();
    void updateEditActions();
    void fillWindowMenu();
    void tileLinear(bool sideBySide);
    void openRecipeWindow(Slot slot, int inkSystem);

    QMdiArea *m_mdiArea = nullptr;
    QMenu *m_windowMenu = nullptr;
    QAction *FileExit1 = nullptr;
    QAction *EditCut1 = nullptr;
    QAction *EditCopy1 = nullptr;
    QAction *EditPaste1 = nullptr;
    QList<QAction *> m_windowCommands;
    QPointer<QWidget> m_editTarget;
    bool m_connected = false;
    int m_languageIndex = -1;
    // The store outlives every form storage; the frame's own storage goes before it.
    std::unique_ptr<IniStore> JvAppIniFileStorage1;
    std::unique_ptr<FormStorage> JvFormStorage1;
};
