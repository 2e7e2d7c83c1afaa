#pragma once

#include <QWidget>

namespace shell {

struct AppContext;

// The version window: what the program is and its version number.
class Form_version : public QWidget
{
    Q_OBJECT
public:
    explicit Form_version(AppContext &ctx, QWidget *parent = nullptr);

    // "ピノラ Pinora Ver " + major + "." + minor + revision, digits only
    // (3, 3, 3 give "ピノラ Pinora Ver 3.33").
    static QString versionText(int major, int minor, int revision);
    // The text for this build.
    static QString versionText();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_ctx;
};

} // namespace shell
