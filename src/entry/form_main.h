#pragma once

#include "entry/entry_controller.h"

#include <QPixmap>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace config {
class SettingsStore;
struct Settings;
}

namespace entry {

class Pin_diagram;

// The score entry screen "スコア入力": the sheet of one player and game as a
// score sheet (ten frames left to right, the marks of each frame above its
// running score, frame 10 with three balls, then handicap and total), the
// frame pictures under the balls, and the mark keypad beside the sheet. It
// shows the state of its Entry_controller and forwards every click, key and
// focus change to it; every key is swallowed, nothing is typed into a box.
// Controls carry their names as objectName, indexed ones as "Txt_MARK(3)".
class form_main : public QWidget
{
    Q_OBJECT

public:
    form_main(scoring::Night &night, platform::Desktop &desktop, scoring::Mark_texts marks = {},
              QWidget *parent = nullptr);
    ~form_main() override;

    Entry_controller &controller() { return controller_; }

    // Load of the screen: the window position (main_Left / main_Top), the
    // input mode and INIT. The store is kept for the unload.
    void load(config::SettingsStore &store);
    // Shows the sheet of (cur_sen, cur_game).
    void show_sheet();
    // Shows the controller's state again (after a change made from outside).
    void refresh();

    // The pictures of the three pin states (pin1_name .. pin3_name, read from
    // folder) and the small-diagram colours pin1_color .. pin3_color. A
    // picture that cannot be read leaves its pins without a picture.
    void use_pin_settings(const config::Settings &settings, const QString &folder);

Q_SIGNALS:
    // Keys asking for another player (0 up, 1 down, 2 left, 3 right) or game
    // (0 previous, 1 next); the navigation of the screen moves.
    void Pct_moveSEN(int index);
    void Pct_moveGAM(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    QPushButton *make_mark_button(QWidget *parent, int code, int x, int y, int w, int h);
    void build_pin_keypad(int x, int y);
    int slot_of(QObject *object) const;

    Entry_controller controller_;
    config::SettingsStore *store_ = nullptr;
    bool syncing_ = false;

    std::array<QLineEdit *, scoring::slot_count> Txt_MARK_{};
    std::array<QString, scoring::slot_count> mark_style_{};
    std::array<QLineEdit *, scoring::score_box_count> Txt_SCORE_{};
    std::array<Pin_diagram *, Entry_controller::picture_count> Pct_flame_{};
    std::array<QPushButton *, 31> Cmd_MARK_{};
    QLineEdit *Txt_junban_ = nullptr;
    QLineEdit *Txt_SEN_ = nullptr;
    QLineEdit *Txt_GAM_ = nullptr;
    QLabel *Label3_ = nullptr;
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
