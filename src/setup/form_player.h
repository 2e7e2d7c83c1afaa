#pragma once

#include "setup/player_controller.h"

#include <QWidget>

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMdiSubWindow;
class QPushButton;
class QScrollBar;
class QTableView;
class QTableWidget;

namespace shell {
struct AppContext;
}

namespace setup {

class RecordsetModel;

// The participants screen "出場選手登録": the lane chart Grd_LN of the night's
// seats, the player list DBG_SENSYU, the pictures that put a player into a
// cell or clear it, and the entry area for a new player or a missing season
// handicap. The rules live in PlayerController; this window shows its state
// and passes on clicks, keys and typed text. It stays open for the whole
// match night; going to score entry is asked for with entry_requested().
class Form_Player : public QWidget
{
    Q_OBJECT
public:
    explicit Form_Player(shell::AppContext &ctx, QWidget *parent = nullptr);
    ~Form_Player() override;

    static QString caption(); // 出場選手登録

    PlayerController &controller() { return m_ctl; }

    // The buttons, pictures and menu entries.
    void Pct_ADD_Click();
    void Pct_can_Click();
    void Cmd_newPlayer_Click();
    void Cmd_OK_Click(int index);
    void CmdCANCEL_Click();
    void Cmd_InpMARK_Click();
    void menu_h_Click();

    // Score entry shows the sheet of a seat: its cell is highlighted.
    void highlightSeat(int seat);
    // Leaving the screen: names into the sheets, cur_sen from the current
    // cell, the entry screen cleared. Runs by itself when the window stops
    // being the active child window of the main window.
    void leaveScreen();
    // Shows the chart and the boxes again (after the seats were changed from
    // outside, as reading a night from a file does).
    void refresh();

Q_SIGNALS:
    // Cmd_InpMARK or menu_score: the operator goes to score entry.
    void entry_requested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void build();
    QLineEdit *makeBox(const QString &name, const QRect &geometry);
    QPushButton *makeButton(const QString &name, const QString &text, const QRect &geometry);
    QLabel *makeLabel(const QString &text, const QRect &geometry);
    void refreshChart();
    void applyHeight();
    void focusBox();
    void watchFrame();
    bool entryReachable() const;

    shell::AppContext &m_ctx;
    PlayerController m_ctl;
    bool m_refreshing = false;
    QMdiSubWindow *m_watchedFrame = nullptr;
    bool m_active = false; // the active child window of the main window

    QTableWidget *m_grid = nullptr; // Grd_LN
    RecordsetModel *m_playerModel = nullptr;
    QTableView *m_list = nullptr; // DBG_SENSYU
    QWidget *m_entryArea = nullptr;
    QLineEdit *m_txtId = nullptr;
    QLineEdit *m_txtName = nullptr;
    QLineEdit *m_txtHcp = nullptr; // Txt_HCP(0)
    std::array<QScrollBar *, 2> m_vsc {}; // VSc_Sen(0), VSc_Sen(1)
    QPushButton *m_pctAdd = nullptr;
    QPushButton *m_pctCan = nullptr;
    QPushButton *m_cmdNew = nullptr;
    std::array<QPushButton *, 2> m_cmdOk {};
    QPushButton *m_cmdCancel = nullptr;
    QPushButton *m_cmdInp = nullptr;
    QAction *m_menuScore = nullptr;
};

} // namespace setup
