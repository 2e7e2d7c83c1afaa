#pragma once

namespace shell {
struct AppContext;
}
namespace scoring {
class Ana_data;
}

namespace results_ui {

class Form_Data;

// Opens the results screen for the night handed over by score entry, as a
// child window of the main window. A results screen already open is closed
// first with its views: the night's sheets were handed over anew. Connect to
// the screen's back_requested(), abandoned() and committed() to move the
// night on.
Form_Data *openData(shell::AppContext &ctx, const scoring::Ana_data &data);

} // namespace results_ui
