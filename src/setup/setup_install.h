#pragma once

#include <functional>

namespace shell {
class Application;
struct AppContext;
}

namespace setup {

class Form_Siai;

// Opens match setup as a child window of the main window (an open one is
// brought forward). openParticipants runs once a match is confirmed; without
// it the main menu shows again.
Form_Siai *openSiai(shell::AppContext &ctx, std::function<void()> openParticipants = {});

// Attaches match setup to the main menu's Cmd_OK and menu_input.
void install(shell::Application &app, std::function<void()> openParticipants = {});

} // namespace setup
