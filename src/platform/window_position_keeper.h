#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace config {
class SettingsStore;
}

namespace platform {

// Gives a screen its stored position now and writes the position back when
// the window closes. Lives as a child of the window; the store must outlive
// the window.
class WindowPositionKeeper final : public QObject {
    Q_OBJECT
public:
    static WindowPositionKeeper *keep(QWidget &window, config::SettingsStore &store, const QString &prefix);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WindowPositionKeeper(QWidget &window, config::SettingsStore &store, const QString &prefix);

    QWidget &window_;
    config::SettingsStore &store_;
    QString prefix_;
};

} // namespace platform
