#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QPlainTextEdit;

namespace config {
class SettingsStore;
}

namespace entry {

// The check window "入力情報": the text of the entry check in the read-only
// box Txt_INFO (vertical scroll bar), closed by the button Cmd_OK
// "閉じる (&C)" or the menu entry menu_off "閉じる(&X)", both of which empty
// the text and hide the window; it stays made for the next check.
//
// Position: keys info_Left / info_Top of section "Form" (25 twips when
// missing, at least 25), taken the first time the window is shown and
// written back when the window closes or is destroyed. When the window is a
// child window of the main window (its parent a QMdiSubWindow, e.g. made by
// Form_menu::addChild(info, Form_menu::Frame::Fixed, false)) the position,
// showing and hiding are those of that frame. The store must outlive it.
class Form_INFO : public QWidget
{
    Q_OBJECT

public:
    explicit Form_INFO(config::SettingsStore &store, QWidget *parent = nullptr);
    ~Form_INFO() override;

    static QString caption(); // "入力情報"

    // Shows the window (placing it the first time) with this text in
    // Txt_INFO, scrolled to the top, and brings it forward.
    void show_text(const QString &text);
    QString text() const;
    // Cmd_OK / menu_off: empties the text and hides the window.
    void close_info();
    // What is shown and hidden: the child-window frame when there is one,
    // else the window itself.
    QWidget *frame();
    bool is_shown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void keep_position(QWidget *target);
    void store_position();

    config::SettingsStore &store_;
    QPlainTextEdit *Txt_INFO_ = nullptr;
    QPointer<QWidget> placed_on_; // the widget that was placed, once shown
    bool placed_ = false;
    QPoint position_; // its last position, in pixels
};

} // namespace entry
