#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace shell {
class Application;
struct AppContext;
}

namespace setup {

class Form_Player;

// The screens of a match night from one to the next: match setup confirmed
// opens the participants screen; the participants screen goes to score
// entry. Lives as long as the main window (or the object given as parent).
class NightFlow : public QObject
{
    Q_OBJECT
public:
    explicit NightFlow(shell::AppContext &ctx, QObject *parent = nullptr);
    ~NightFlow() override;

    // Attaches match setup to the main menu with the flow of the night
    // behind it, and returns the flow (owned by the main window).
    static NightFlow *install(shell::Application &app);

    // A confirmed match setup: the participants screen of the new night
    // (one left from an earlier night is closed first).
    Form_Player *openParticipants();
    // The participants screen of the night, or nullptr.
    Form_Player *participants() const;

    // Closes every screen of the night and shows the main menu again.
    void endNight();

    // The objectNames of the screens a night opens, closed by endNight().
    static QStringList nightScreens();

private:
    void connectParticipants(Form_Player *player);
    void showMainMenu();

    shell::AppContext &m_ctx;
    QPointer<Form_Player> m_player;
};

} // namespace setup
