#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QMdiSubWindow;
class QMenuBar;
class QPushButton;

namespace store {
class Database;
}

namespace shell {

struct AppContext;

// The main menu: a fixed child window of the main window that stays open for
// the whole run, shows the number of stored rows and opens every screen.
class Form_Start : public QWidget
{
    Q_OBJECT
public:
    // The screens the menu opens. Each has a button, a menu entry or both; they
    // stay disabled until the screen's code attaches its handler.
    enum class Screen {
        Siai,         // Cmd_OK, menu_input: match setup, the start of a night's entry
        Settei,       // Cmd_Settei, menu_settei
        Edit,         // Cmd_Edit
        Seiseki,      // Cmd_Seiseki, menu_season
        Kojin,        // Cmd_Kojin, menu_kojin (behind the wait banner)
        Score,        // Cmd_Score, menu_score
        SiaiSeiseki,  // Cmd_siaiSeiseki, menu_siai_tokei
        Sokuho,       // Cmd_sokuho, menu_sokuho
        AnaKojin,     // Command1
        NewPlayer,    // menu_add(0)
        Srs,          // menu_add(1)
        Hdcp,         // menu_add(2)
    };
    static constexpr int screenCount = 12;

    explicit Form_Start(AppContext &ctx, QWidget *parent = nullptr);

    // Attaches what opens a screen and enables its button and menu entry.
    // For Siai the menu first hides itself and closes the data editing screen
    // (objectName "Form_edit") when it is open; for Kojin it shows the wait
    // banner while the handler runs.
    void attach(Screen screen, std::function<void()> open);
    bool isAttached(Screen screen) const;
    // Runs what a click on the screen's button or menu entry runs.
    void open(Screen screen);

    // Load: count the rows and show them.
    void load();
    // The number of rows of table データ項目; 0 when it cannot be read.
    static std::int32_t countDataRows(const store::Database &db);

    // The frame of this window inside the main window.
    QMdiSubWindow *frame() const;

    // The nine buttons that Deactivate disables.
    QList<QPushButton *> mainButtons() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *makeButton(const QString &name, const QString &text, const QRect &geometry);
    QAction *makeEntry(QMenu *menu, const QString &name, const QString &text);
    void buildMenu();
    void showCount();
    void setButtonsActive(bool active);
    void refreshEnabled();
    void subWindowActivated(QMdiSubWindow *window);

    AppContext &m_ctx;
    QWidget *m_body;
    QMenuBar *m_menuBar;
    QWidget *m_picture;
    QLabel *m_count;
    QPushButton *m_end;
    bool m_buttonsActive = true;
    bool m_connected = false;
    std::array<std::function<void()>, screenCount> m_handlers;
    std::array<QPushButton *, screenCount> m_buttons {};
    std::array<QAction *, screenCount> m_entries {};
};

} // namespace shell
