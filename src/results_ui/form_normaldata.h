#pragma once

#include "results_ui/award_view_data.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace results_ui {

// The general award view "一般的な表彰データ": the six awards of the night
// with the winner's name and figure, and the Best 10 list of the first five
// awards shown on request. It only displays what the calculation gives it.
class Form_NormalDATA : public QWidget
{
    Q_OBJECT
public:
    explicit Form_NormalDATA(QWidget *parent = nullptr);

    static QString caption(); // 一般的な表彰データ
    // The caption of frame Frm(index).
    static QString frame_caption(int index);
    // The label behind the figure: "さん　　　　　 点" or, for strikes and
    // spares, "さん　　　　　 個".
    static QString unit_label(int index);

    // Fills the award boxes and keeps the Best 10 lists; the list boxes are
    // emptied until a Best10 button is pressed.
    void show_results(const Award_view_data &data);

    // Cmd_B10(award): the Best 10 list of the award into Txt_B10(0) (names)
    // and Txt_B10(1) (figures).
    void Cmd_B10_Click(int award);
    // Cmd_OK, menu_off: closes the view.
    void Cmd_OK_Click();

private:
    void build();

    Award_view_data m_data;
    std::array<QLineEdit *, Award_view_data::award_count> m_txtName {};
    std::array<QLineEdit *, Award_view_data::award_count> m_txtTen {};
    std::array<QPushButton *, Award_view_data::best10_count> m_cmdB10 {};
    std::array<QPlainTextEdit *, 2> m_txtB10 {};
};

} // namespace results_ui
