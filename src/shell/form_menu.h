#pragma once

#include <QMainWindow>
#include <QPointer>

class QMdiArea;
class QMdiSubWindow;

namespace shell {

struct AppContext;
class Form_Start;
class Form_Wait;
class Form_Aisatsu;
class Form_version;

// The main window: the frame that holds every screen as a child window.
// Closing it asks the shutdown question; OK saves the geometry and the ID
// ranges and closes every child window.
class Form_menu : public QMainWindow
{
    Q_OBJECT
public:
    // How a child window is framed.
    enum class Frame {
        Fixed,      // caption only: no minimise, maximise or close box, fixed size
        Sizable,    // caption with the usual boxes, resizable
        Captionless // no caption at all (the wait banner)
    };

    explicit Form_menu(AppContext &ctx, QWidget *parent = nullptr);
    ~Form_menu() override;

    static QString caption();

    QMdiArea *mdiArea() const { return m_mdi; }

    // Puts widget into the main window as a child window and returns its frame.
    // The frame is deleted with the widget when it closes if deleteOnClose is set.
    QMdiSubWindow *addChild(QWidget *widget, Frame frame, bool deleteOnClose = true);
    // Closes the child window that holds widget (its frame, so the frame goes
    // too); a widget outside the main window is closed itself.
    static bool closeChild(QWidget *widget);
    // The child window whose widget carries objectName, or nullptr.
    QMdiSubWindow *findChildWindow(const QString &objectName) const;

    // Places the main window from the settings (twips; 9999/5555 mean 90% of
    // the screen).
    void placeFromSettings();

    // The main menu, made and shown once at start.
    Form_Start *showMainMenu();
    Form_Start *mainMenu() const;

    // The wait banner shared by every long operation.
    Form_Wait &waitBanner();

    // The greeting and the version windows; an open one is brought forward.
    Form_Aisatsu *showAisatsu();
    Form_version *showVersion();

    // True while the confirmed shutdown closes the child windows: screens skip
    // their own questions then.
    bool isShuttingDown() const { return m_shuttingDown; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Asks the question; true when the user chose OK.
    bool confirmShutdown();
    void saveAtShutdown();

    AppContext &m_ctx;
    QMdiArea *m_mdi;
    QPointer<Form_Start> m_start;
    QPointer<Form_Wait> m_wait;
    QPointer<Form_Aisatsu> m_aisatsu;
    QPointer<Form_version> m_version;
    bool m_shuttingDown = false;
};

} // namespace shell
