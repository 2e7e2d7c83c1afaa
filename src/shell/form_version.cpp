#include "shell/form_version.h"

#include "platform/window_placement.h"
#include "shell/app_context.h"
#include "shell/form_menu.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

Form_version::Form_version(AppContext &ctx, QWidget *parent)
    : QWidget(parent)
    , m_ctx(ctx)
{
    setObjectName(u"Form_version"_s);
    setWindowTitle(u"  Version"_s);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);

    auto *bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    QAction *back = bar->addAction(u"戻る"_s);
    back->setObjectName(u"menu_back"_s);
    connect(back, &QAction::triggered, this, [this] { Form_menu::closeChild(this); });

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->setContentsMargins(30, 20, 30, 24);
    layout->setSpacing(12);

    auto *what = new QLabel(u"ボウリング データ入力・統計"_s, this);
    what->setObjectName(u"Label1"_s);
    QFont f = what->font();
    f.setPointSize(12);
    what->setFont(f);
    auto *title = new QLabel(versionText(), this);
    title->setObjectName(u"Label2"_s);
    f.setPointSize(16);
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(what);
    layout->addWidget(title);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

QString Form_version::versionText(int major, int minor, int revision)
{
    return u"ピノラ Pinora Ver "_s + QString::number(major) + u"."_s + QString::number(minor)
        + QString::number(revision);
}

QString Form_version::versionText()
{
    return versionText(PINORA_VERSION_MAJOR, PINORA_VERSION_MINOR, PINORA_VERSION_PATCH);
}

void Form_version::closeEvent(QCloseEvent *event)
{
    if (QWidget *frame = parentWidget())
        platform::storeWindowPosition(*frame, m_ctx.store, u"version"_s);
    event->accept();
}

} // namespace shell
