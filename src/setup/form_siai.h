#pragma once

#include "setup/siai_controller.h"

#include <QWidget>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QScrollBar;
class QTableView;

namespace shell {
struct AppContext;
}

namespace setup {

class RecordsetModel;

// The match setup screen "試合データ設定": the season and venue lists, the
// match numbers and the date of a new match night. The rules live in
// SiaiController; this window shows its boxes and passes on what is typed.
class Form_Siai : public QWidget
{
    Q_OBJECT
public:
    // openParticipants runs after a confirmed match has closed this screen;
    // without it the main menu shows again.
    Form_Siai(shell::AppContext &ctx, std::function<void()> openParticipants, QWidget *parent = nullptr);
    ~Form_Siai() override;

    static QString caption(); // 試合データ設定

    SiaiController &controller() { return m_ctl; }

    // The buttons and menu entries.
    void Cmd_New_Click();
    void Cmd_siaiOK_Click();
    void Cmd_ADD_Click(int index);
    void Cmd_Add_OK_Click(int index);
    void Cmd_back_Click();
    void menu_help_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void buildMenu(QMenuBar *bar);
    QLineEdit *makeBox(const QString &name, const QRect &geometry);
    QPushButton *makeButton(const QString &name, const QString &text, const QRect &geometry);
    QLabel *makeLabel(const QString &text, const QRect &geometry);
    QTableView *makeGrid(const QString &name, RecordsetModel *model, const QRect &geometry);
    void refresh();
    void reloadGrids();
    void focusBox(SiaiController::Box box);
    void closeScreen();
    // The main menu, hidden while this screen is open, shown again.
    static void showMainMenu(shell::AppContext &ctx);

    shell::AppContext &m_ctx;
    SiaiController m_ctl;
    std::function<void()> m_openParticipants;
    bool m_refreshing = false;

    RecordsetModel *m_seasonModel = nullptr;
    RecordsetModel *m_venueModel = nullptr;
    QTableView *m_grid1 = nullptr; // DBGrid1
    QTableView *m_grid2 = nullptr; // DBGrid2
    std::array<QLineEdit *, 8> m_txtSiai {};
    std::array<QLineEdit *, 2> m_txtKaijo {};
    std::array<QLineEdit *, 2> m_txtAdd {};
    std::array<QPushButton *, 2> m_cmdAdd {};
    std::array<QPushButton *, 2> m_cmdAddOk {};
    QScrollBar *m_hsc = nullptr;
    std::array<QScrollBar *, 3> m_vsc {};
    QPushButton *m_cmdNew = nullptr;
    QPushButton *m_cmdOk = nullptr;
    QPushButton *m_cmdBack = nullptr;
    QAction *m_menuNew = nullptr;
    QAction *m_menuOk = nullptr;
    QAction *m_menuSeason = nullptr;
    QAction *m_menuKaijo = nullptr;
    QAction *m_menuBack = nullptr;
};

} // namespace setup
