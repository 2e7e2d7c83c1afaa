#include "setup/night_flow.h"

#include "platform/window_position_keeper.h"
#include "setup/form_player.h"
#include "setup/setup_install.h"
#include "shell/app_context.h"
#include "shell/application.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"

#include <QMdiArea>
#include <QMdiSubWindow>

using namespace Qt::StringLiterals;

namespace setup {

NightFlow::NightFlow(shell::AppContext &ctx, QObject *parent) : QObject(parent), m_ctx(ctx) {}

NightFlow::~NightFlow() = default;

NightFlow *NightFlow::install(shell::Application &app)
{
    auto *flow = new NightFlow(app.context(), app.mainWindow());
    QPointer<NightFlow> guard(flow);
    setup::install(app, [guard] {
        if (guard)
            guard->openParticipants();
    });
    return flow;
}

QStringList NightFlow::nightScreens()
{
    return { u"Form_Player"_s, u"form_main"_s, u"Form_INFO"_s, u"Form_Data"_s, u"Form_NormalDATA"_s, u"Form_KLV"_s };
}

Form_Player *NightFlow::openParticipants()
{
    if (m_player)
        shell::Form_menu::closeChild(m_player);
    auto *form = new Form_Player(m_ctx);
    m_player = form;
    connectParticipants(form);
    if (m_ctx.menu) {
        QMdiSubWindow *frame = m_ctx.menu->addChild(form, shell::Form_menu::Frame::Fixed);
        platform::WindowPositionKeeper::keep(*frame, m_ctx.store, u"player"_s);
        form->refresh(); // the height of the whole window, now that it has a frame
        frame->show();
        m_ctx.menu->mdiArea()->setActiveSubWindow(frame);
    } else {
        form->setAttribute(Qt::WA_DeleteOnClose);
        platform::WindowPositionKeeper::keep(*form, m_ctx.store, u"player"_s);
        form->show();
    }
    return form;
}

Form_Player *NightFlow::participants() const
{
    return m_player;
}

void NightFlow::connectParticipants(Form_Player *player)
{
    Q_UNUSED(player);
}

void NightFlow::endNight()
{
    if (m_ctx.menu) {
        const QStringList names = nightScreens();
        const QList<QMdiSubWindow *> frames = m_ctx.menu->mdiArea()->subWindowList();
        for (QMdiSubWindow *frame : frames) {
            if (frame->widget() && names.contains(frame->widget()->objectName()))
                frame->close();
        }
    } else if (m_player) {
        m_player->close();
    }
    showMainMenu();
}

void NightFlow::showMainMenu()
{
    if (!m_ctx.menu)
        return;
    if (shell::Form_Start *start = m_ctx.menu->mainMenu(); start && start->frame()) {
        start->frame()->show();
        m_ctx.menu->mdiArea()->setActiveSubWindow(start->frame());
    }
}

} // namespace setup
