#pragma once

#include <QWidget>
#include <array>
#include <memory>

class DataGrid;
class DataSet;
class FormStorage;
class NavigatorBar;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

// Browses the standard recipes of one ink system with the amounts of each component
// colour for the total in the total box. One class serves 1K and 2K.
class TFRezeptur : public QWidget
{
    Q_OBJECT

public:
    explicit TFRezeptur(QWidget *parent = nullptr);
    ~TFRezeptur() override;

    void Setup1K();
    void Setup2K();
    void OpenRecipes();

    // 1 = 1K recipes, 2 = 2K recipes; 0 before setup.
    int InkSystem = 0;

    DataSet *ADOQuery1 = nullptr;
    NavigatorBar *wwDBNavigator1 = nullptr;
    DataGrid *JvDBUltimGrid1 = nullptr;
    QLineEdit *JvEdit1 = nullptr;
    QPushButton *JvBitBtn1 = nullptr;
    std::array<QLineEdit *, 5> JvME_Menge{};

public slots:
    void JvBitBtn1Click();
    void ADOQuery1AfterScroll();
    void JvEdit1Enter();
    void wwDBNavigator1Button2Click();
    void wwDBNavigator1Button3Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setup(int inkSystem);
    void declareFields();
    void buildRecordPanel(QWidget *panel);
    void showRecord();

    QWidget *m_body = nullptr;
    QScrollArea *m_scroll = nullptr;
    // Data-bound boxes: field name -> box.
    QList<std::pair<QString, QLineEdit *>> m_boundBoxes;
    QPlainTextEdit *m_remark = nullptr;

public:
    // Last member: it saves on destruction while everything it reads still exists.
    std::unique_ptr<FormStorage> JvFormStorage1;
};
