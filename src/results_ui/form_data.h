#pragma once

#include "results_ui/data_options.h"
#include "scoring/ana.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace shell {
struct AppContext;
}

namespace results_ui {

class Form_KLV;
class Form_NormalDATA;

// The results screen "データ処理": the options of the night's calculation,
// the calculation with its two views, the commit, going back to score entry
// and abandoning the night. The options live in Data_options; this window
// shows them and passes clicks on.
class Form_Data : public QWidget
{
    Q_OBJECT
public:
    Form_Data(shell::AppContext &ctx, scoring::Ana_data data, QWidget *parent = nullptr);
    ~Form_Data() override;

    static QString caption(); // データ処理
    // "投球されたゲームがありません。" ...: the calculation of a night nobody bowled.
    static QString msgNobodyBowled();
    // The abandon question, three lines joined by CR.
    static QString msgAbandon();

    Data_options &options() { return m_options; }
    const scoring::Ana_data &data() const { return m_data; }
    // Whether the commit (Cmd_File, menu_save) is possible.
    bool canCommit() const;

    // The views, while open.
    Form_NormalDATA *normalView() const;
    Form_KLV *klvView() const;

    // The buttons and menu entries.
    void Cmd_Data_Click(); // also menu_calc
    void Cmd_back_Click(int index); // 0 and menu_back: back; 1 and menu_clear: abandon
    void menu_h_Click();

Q_SIGNALS:
    // The operator goes back to score entry; this screen and its views are closed.
    void back_requested();
    // The night is dropped; this screen and its views are closed.
    void abandoned();
    // The night is stored; this screen and its views are closed.
    void committed();

private:
    void build();
    void buildMenu();
    QGroupBox *makeFrame(const QString &title, const QRect &geometry);
    QCheckBox *makeCheck(QWidget *frame, const QString &name, const QString &text, int y);
    QRadioButton *makeOption(QWidget *frame, const QString &name, const QString &text, int y);
    QPushButton *makeButton(const QString &name, const QString &text, const QRect &geometry);
    void refresh();
    void applyWidth();
    void setCommitEnabled(bool on);
    // Closes this screen and both views.
    void closeScreens();
    void showMainMenu();

    shell::AppContext &m_ctx;
    scoring::Ana_data m_data;
    Data_options m_options;
    bool m_committable = false;

    std::array<QCheckBox *, 2> m_chkData {};
    QCheckBox *m_chkRule = nullptr;
    QCheckBox *m_chkStsp = nullptr;
    QCheckBox *m_chkHcp = nullptr;
    std::array<QRadioButton *, 3> m_optTarget {};
    std::array<QRadioButton *, 3> m_optCalc {};
    std::array<QLineEdit *, Data_options::pnt_count> m_txtPnt {};
    QGroupBox *m_pntFrame = nullptr;
    QPushButton *m_cmdData = nullptr;
    QPushButton *m_cmdFile = nullptr;
    std::array<QPushButton *, 2> m_cmdBack {};
    QAction *m_menuCalc = nullptr;
    QAction *m_menuSave = nullptr;
    QAction *m_menuBack = nullptr;
    QAction *m_menuClear = nullptr;

    QPointer<Form_NormalDATA> m_normal;
    QPointer<Form_KLV> m_klv;
};

} // namespace results_ui
