#include "entry/entry_install.h"

#include "entry/form_main.h"
#include "platform/window_position_keeper.h"
#include "shell/app_context.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace entry {

namespace {

void show_main_menu(shell::AppContext &ctx)
{
    if (!ctx.menu)
        return;
    if (shell::Form_Start *start = ctx.menu->mainMenu(); start && start->frame()) {
        start->frame()->show();
        ctx.menu->mdiArea()->setActiveSubWindow(start->frame());
    }
}

} // namespace

form_main *openEntry(shell::AppContext &ctx)
{
    if (ctx.menu) {
        if (QMdiSubWindow *open = ctx.menu->findChildWindow(u"form_main"_s)) {
            open->show();
            ctx.menu->mdiArea()->setActiveSubWindow(open);
            return qobject_cast<form_main *>(open->widget());
        }
    }
    auto *form = new form_main(*ctx.night, ctx.desktop);
    form->attach(ctx);
    if (ctx.menu) {
        QMdiSubWindow *frame = ctx.menu->addChild(form, shell::Form_menu::Frame::Fixed);
        platform::WindowPositionKeeper::keep(*frame, ctx.store, u"main"_s);
        form->load(ctx.store);
        // Activate runs when the screen comes to the front from another
        // child window, not when a message box of its own closes.
        QPointer<QMdiSubWindow> last;
        QObject::connect(ctx.menu->mdiArea(), &QMdiArea::subWindowActivated, form,
                         [form, frame, last](QMdiSubWindow *window) mutable {
                             if (!window)
                                 return;
                             const bool again = window == frame && last != frame;
                             last = window;
                             if (again)
                                 form->Activate();
                         });
        frame->show();
        if (ctx.menu->mdiArea()->activeSubWindow() != frame)
            ctx.menu->mdiArea()->setActiveSubWindow(frame);
        QPointer<QMdiSubWindow> guard(frame);
        QObject::connect(form, &form_main::abandoned, ctx.menu, [&ctx, guard] {
            if (guard)
                guard->close();
            show_main_menu(ctx);
        });
    } else {
        form->setAttribute(Qt::WA_DeleteOnClose);
        platform::WindowPositionKeeper::keep(*form, ctx.store, u"main"_s);
        form->load(ctx.store);
        form->show();
        form->Activate();
        QObject::connect(form, &form_main::abandoned, form, &QWidget::close);
    }
    return form;
}

} // namespace entry
