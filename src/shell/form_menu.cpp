#include "shell/form_menu.h"

#include "config/settings.h"
#include "config/settings_store.h"
#include "platform/desktop.h"
#include "platform/window_placement.h"
#include "shell/app_context.h"
#include "shell/form_aisatsu.h"
#include "shell/form_start.h"
#include "shell/form_version.h"
#include "shell/form_wait.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace shell {

Form_menu::Form_menu(AppContext &ctx, QWidget *parent)
    : QMainWindow(parent)
    , m_ctx(ctx)
    , m_mdi(new QMdiArea(this))
{
    setObjectName(u"Form_menu"_s);
    setWindowTitle(caption());
    m_mdi->setObjectName(u"MDIArea"_s);
    m_mdi->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdi);
    m_ctx.menu = this;
}

Form_menu::~Form_menu()
{
    if (m_ctx.menu == this)
        m_ctx.menu = nullptr;
}

QString Form_menu::caption()
{
    return u"  ピノラ[Pinora32] - The Scorer & Database for BOWLING Games"_s;
}

QMdiSubWindow *Form_menu::addChild(QWidget *widget, Frame frame, bool deleteOnClose)
{
    Qt::WindowFlags flags = Qt::SubWindow;
    switch (frame) {
    case Frame::Fixed:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        break;
    case Frame::Sizable:
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
            | Qt::WindowCloseButtonHint;
        break;
    case Frame::Captionless:
        flags |= Qt::FramelessWindowHint;
        break;
    }
    auto *sub = new QMdiSubWindow(nullptr, flags);
    sub->setWidget(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
    m_mdi->addSubWindow(sub, flags);
    if (frame != Frame::Sizable) {
        sub->adjustSize();
        sub->setFixedSize(sub->sizeHint());
    }
    return sub;
}

bool Form_menu::closeChild(QWidget *widget)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(widget->parentWidget()))
        return frame->close();
    return widget->close();
}

QMdiSubWindow *Form_menu::findChildWindow(const QString &objectName) const
{
    const QList<QMdiSubWindow *> subs = m_mdi->subWindowList();
    for (QMdiSubWindow *sub : subs) {
        if (sub->widget() && sub->widget()->objectName() == objectName)
            return sub;
    }
    return nullptr;
}

void Form_menu::placeFromSettings()
{
    const config::Settings &s = m_ctx.settings;
    QSize screen(1024, 768);
    if (const QScreen *scr = QGuiApplication::primaryScreen())
        screen = scr->geometry().size();
    const float w = s.windowWidth(float(platform::pixelsToTwips(screen.width())));
    const float h = s.windowHeight(float(platform::pixelsToTwips(screen.height())));
    move(platform::twipsToPixels(s.Left), platform::twipsToPixels(s.Top));
    resize(platform::twipsToPixels(w), platform::twipsToPixels(h));
}

Form_Start *Form_menu::showMainMenu()
{
    if (!m_start) {
        m_start = new Form_Start(m_ctx);
        QMdiSubWindow *sub = addChild(m_start, Frame::Fixed, false);
        platform::placeWindow(*sub, m_ctx.store, u"start"_s);
        m_start->load();
    }
    QMdiSubWindow *sub = m_start->frame();
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    return m_start;
}

Form_Start *Form_menu::mainMenu() const
{
    return m_start;
}

Form_Wait &Form_menu::waitBanner()
{
    if (!m_wait) {
        m_wait = new Form_Wait;
        QMdiSubWindow *sub = addChild(m_wait, Frame::Captionless, false);
        sub->move(platform::twipsToPixels(500), platform::twipsToPixels(500));
        sub->hide();
    }
    return *m_wait;
}

Form_Aisatsu *Form_menu::showAisatsu()
{
    // A closed window may still wait for its deletion; it is replaced.
    if (!m_aisatsu || !findChildWindow(m_aisatsu->objectName())) {
        m_aisatsu = new Form_Aisatsu(m_ctx);
        QMdiSubWindow *sub = addChild(m_aisatsu, Frame::Fixed);
        platform::placeWindow(*sub, m_ctx.store, u"aisatu"_s);
    }
    QMdiSubWindow *sub = qobject_cast<QMdiSubWindow *>(m_aisatsu->parentWidget());
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    return m_aisatsu;
}

Form_version *Form_menu::showVersion()
{
    if (!m_version || !findChildWindow(m_version->objectName())) {
        m_version = new Form_version(m_ctx);
        QMdiSubWindow *sub = addChild(m_version, Frame::Fixed);
        platform::placeWindow(*sub, m_ctx.store, u"version"_s);
    }
    QMdiSubWindow *sub = qobject_cast<QMdiSubWindow *>(m_version->parentWidget());
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    return m_version;
}

bool Form_menu::confirmShutdown()
{
    platform::Message m;
    m.text = u"終了してもよろしいですか？"_s;
    m.title = u"終了の確認"_s;
    m.buttons = platform::Buttons::OkCancel;
    m.icon = platform::Icon::Question;
    m.defaultButton = 1;
    return m_ctx.desktop.message(m) == platform::Answer::Ok;
}

void Form_menu::saveAtShutdown()
{
    config::Settings &s = m_ctx.settings;
    // The geometry in twips, as the start-up reads it back.
    s.Left = float(platform::pixelsToTwips(x()));
    s.Top = float(platform::pixelsToTwips(y()));
    s.width = float(platform::pixelsToTwips(width()));
    s.height = float(platform::pixelsToTwips(height()));
    s.saveShutdown(m_ctx.store);
    if (m_start && m_start->frame())
        platform::storeWindowPosition(*m_start->frame(), m_ctx.store, u"start"_s);
    m_ctx.store.sync();
}

void Form_menu::closeEvent(QCloseEvent *event)
{
    if (m_shuttingDown) {
        event->accept();
        return;
    }
    if (!confirmShutdown()) {
        event->ignore();
        return;
    }
    saveAtShutdown();
    m_shuttingDown = true;
    m_mdi->closeAllSubWindows();
    event->accept();
}

} // namespace shell
