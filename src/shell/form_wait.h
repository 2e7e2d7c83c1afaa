#pragma once

#include <QWidget>

namespace shell {

// The wait banner: a caption-less white child window with one line, shown
// before a long operation so the user sees it while the work runs.
class Form_Wait : public QWidget
{
    Q_OBJECT
public:
    explicit Form_Wait(QWidget *parent = nullptr);

    static QString text();

    // Shows the banner in front and lets pending paint events run, so it is
    // drawn before the caller starts its work.
    void showNow();
    void hideNow();
};

} // namespace shell
