#include "platform/window_position_keeper.h"

#include "platform/window_placement.h"

#include <QEvent>
#include <QWidget>

namespace platform {

WindowPositionKeeper *WindowPositionKeeper::keep(QWidget &window, config::SettingsStore &store,
                                                 const QString &prefix)
{
    placeWindow(window, store, prefix);
    return new WindowPositionKeeper(window, store, prefix);
}

WindowPositionKeeper::WindowPositionKeeper(QWidget &window, config::SettingsStore &store, const QString &prefix)
    : QObject(&window), window_(window), store_(store), prefix_(prefix)
{
    window.installEventFilter(this);
}

bool WindowPositionKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window_ && event->type() == QEvent::Close)
        storeWindowPosition(window_, store_, prefix_);
    return QObject::eventFilter(watched, event);
}

} // namespace platform
