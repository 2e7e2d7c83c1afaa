#pragma once

#include <QStringList>
#include <QWidget>

class QListWidget;

namespace results_ui {

// The point view "ポイントのデータ": the night's placings with their win
// points, one line per placed player, as the calculation gives them.
class Form_KLV : public QWidget
{
    Q_OBJECT
public:
    explicit Form_KLV(QWidget *parent = nullptr);

    static QString caption(); // ポイントのデータ

    // List_klv gets exactly these lines.
    void show_points(const QStringList &lines);
    QStringList lines() const;

    // Cmd_OK, menu_off: closes the view.
    void Cmd_OK_Click();

private:
    QListWidget *m_list = nullptr;
};

} // namespace results_ui
