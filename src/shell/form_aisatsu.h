#pragma once

#include <QWidget>

namespace shell {

struct AppContext;

// The greeting window: what the program is for, and a link to its pages.
class Form_Aisatsu : public QWidget
{
    Q_OBJECT
public:
    explicit Form_Aisatsu(AppContext &ctx, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void openHomePage();

    AppContext &m_ctx;
};

} // namespace shell
