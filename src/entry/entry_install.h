#pragma once

namespace shell {
struct AppContext;
}

namespace entry {

class form_main;

// Opens the score entry screen of the match night: made once as a child
// window of the main window (ctx.menu; a window of its own without one),
// loaded (window position, input mode, INIT) and activated; an open one is
// shown again and brought forward. The screen shows the sheet of
// (cur_sen, cur_game) each time it becomes the active window. When the night
// is abandoned the screen closes and the main menu shows again.
form_main *openEntry(shell::AppContext &ctx);

} // namespace entry
