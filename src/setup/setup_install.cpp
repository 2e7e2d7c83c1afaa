#include "setup/setup_install.h"

#include "platform/window_position_keeper.h"
#include "setup/form_siai.h"
#include "shell/app_context.h"
#include "shell/application.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"

#include <QMdiSubWindow>

using namespace Qt::StringLiterals;

namespace setup {

Form_Siai *openSiai(shell::AppContext &ctx, std::function<void()> openParticipants)
{
    if (ctx.menu) {
        if (QMdiSubWindow *open = ctx.menu->findChildWindow(u"Form_Siai"_s)) {
            open->show();
            open->setFocus();
            return qobject_cast<Form_Siai *>(open->widget());
        }
    }
    auto *form = new Form_Siai(ctx, std::move(openParticipants));
    if (ctx.menu) {
        QMdiSubWindow *frame = ctx.menu->addChild(form, shell::Form_menu::Frame::Fixed);
        platform::WindowPositionKeeper::keep(*frame, ctx.store, u"siai"_s);
        frame->show();
    } else {
        form->setAttribute(Qt::WA_DeleteOnClose);
        platform::WindowPositionKeeper::keep(*form, ctx.store, u"siai"_s);
        form->show();
    }
    return form;
}

void install(shell::Application &app, std::function<void()> openParticipants)
{
    shell::Form_Start *menu = app.mainMenu();
    if (!menu)
        return;
    shell::AppContext &ctx = app.context();
    menu->attach(shell::Form_Start::Screen::Siai, [&ctx, openParticipants] { openSiai(ctx, openParticipants); });
}

} // namespace setup
