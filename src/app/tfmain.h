#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

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

    QMdiArea *m_mdiArea = nullptr;
    QMenu *m_windowMenu = nullptr;
    QAction *FileExit1 = nullptr;
    QAction *EditCut1 = nullptr;
    QAction *EditCopy1 = nullptr;
    QAction *EditPaste1 = nullptr;
    QList<QAction *> m_windowCommands;
    QPointer<QWidget> m_editTarget;
    bool m_connected = false;
};
