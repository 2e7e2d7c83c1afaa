#pragma once

#include "config/settings.h"
#include "entry/entry_controller.h"
#include "entry/entry_navigation.h"
#include "scoring/ana.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace config {
class SettingsStore;
}
namespace shell {
struct AppContext;
class Form_menu;
}

namespace entry {

class Finish_controller;
class Form_INFO;
class Pin_diagram;

// The score entry screen "スコア入力": the sheet of one player and game as a
// score sheet (ten frames left to right, the marks of each frame above its
// running score, frame 10 with three balls, then handicap and total), the
// frame pictures under the balls, the mark or pin keypad beside the sheet,
// the moves between players and games and the menus. It shows the state of
// its Entry_controller and Entry_navigation and forwards every click, key
// and focus change to them; every key is swallowed, nothing is typed into a
// box. Controls carry their names as objectName, indexed ones as "Txt_MARK(3)".
class form_main : public QWidget
{
    Q_OBJECT

public:
    form_main(scoring::Night &night, platform::Desktop &desktop, scoring::Mark_texts marks = {},
              QWidget *parent = nullptr);
    ~form_main() override;

    Entry_controller &controller() { return controller_; }
    Entry_navigation &navigation() { return navigation_; }

    // Takes what the screen needs of the application: the match globals,
    // hcp_mynas, the pin pictures and colours, the browser and the program
    // folder for the help page.
    void attach(shell::AppContext &ctx);
    // The browser (setting brw) and the folder of the help page.
    void set_browser(const QString &brw, const QString &folder);

    // Load of the screen: the input mode (main_mode) and INIT. The store is
    // kept for the unload. The window position is kept by whoever frames
    // the screen (openEntry).
    void load(config::SettingsStore &store);
    // Activate: the sheet's stored texts, the calculation and New_score.
    void Activate();
    // New_score: shows the sheet of (cur_sen, cur_game).
    void show_sheet();
    // Shows the controller's state again (after a change made from outside).
    void refresh();

    // The pictures of the three pin states (pin1_name .. pin3_name, read from
    // folder) and the small-diagram colours pin1_color .. pin3_color. A
    // picture that cannot be read leaves its pins without a picture.
    void use_pin_settings(const config::Settings &settings, const QString &folder);

    // Cmd_CAN(0) clear the sheet's marks, Cmd_CAN(1) abandon the night.
    void Cmd_CAN(int index);
    // Cmd_INFO / menu_input: the entry check in the check window "入力情報".
    void Cmd_INFO();
    // Cmd_TOKEI / menu_ok: the checks and ANA; finish_confirmed when all passed.
    void Cmd_TOKEI();
    // The check window, once a check has been shown (nullptr before).
    Form_INFO *info_window() const;
    // The help page ph_mark.htm in the browser.
    void menu_h();

Q_SIGNALS:
    // The operator asks for the participants screen.
    void participants_requested();
    // Cmd_TOKEI passed all its checks and ANA ran: results processing opens.
    void finish_confirmed(const scoring::Ana_data &data);
    // Cmd_CAN(1) was confirmed: the night is dropped. Nothing of the screen
    // is used after this signal, so a receiver may close it.
    void abandoned();
    // Every display of a sheet, so the participants grid can follow the seat.
    void sheet_shown(int cur_sen, int cur_game);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void build_menus();
    void build_moves(int x, int y);
    QPushButton *make_mark_button(QWidget *parent, int code, int x, int y, int w, int h);
    void build_pin_keypad(int x, int y);
    int slot_of(QObject *object) const;
    void move(const Move_request &request);
    void show_check(const QString &text);

    Entry_controller controller_;
    Entry_navigation navigation_;
    config::Settings own_settings_;  // until attach() gives the program's
    std::unique_ptr<Finish_controller> finish_;
    QPointer<Form_INFO> info_;
    shell::Form_menu *menu_ = nullptr;
    config::SettingsStore *store_ = nullptr;
    QString brw_;
    QString folder_;
    bool syncing_ = false;

    QMenuBar *menu_bar_ = nullptr;
    QWidget *body_ = nullptr;
    std::array<QLineEdit *, scoring::slot_count> Txt_MARK_{};
    std::array<QString, scoring::slot_count> mark_style_{};
    std::array<QLineEdit *, scoring::score_box_count> Txt_SCORE_{};
    std::array<Pin_diagram *, Entry_controller::picture_count> Pct_flame_{};
    std::array<QPushButton *, 31> Cmd_MARK_{};
    QLineEdit *Txt_junban_ = nullptr;
    QLineEdit *Txt_SEN_ = nullptr;
    QLineEdit *Txt_GAM_ = nullptr;
    QLabel *Label3_ = nullptr;
    QScrollBar *VSc_Hcp_ = nullptr;
    QWidget *mark_keypad_ = nullptr;
    int mark_keypad_x_ = 0;
    QWidget *pin_keypad_ = nullptr;
    int pin_keypad_x_ = 0;
    std::array<QToolButton *, 10> Pct_Pin_{};
    std::array<QPixmap, 3> pin_pictures_{};
    QGroupBox *Frame_Mode_ = nullptr;
    QPushButton *Cmd_Mode_ = nullptr;
};

} // namespace entry
