#include "results_ui/results_install.h"

#include "platform/window_position_keeper.h"
#include "results_ui/form_data.h"
#include "shell/app_context.h"
#include "shell/form_menu.h"

#include <QMdiSubWindow>

using namespace Qt::StringLiterals;

namespace results_ui {

Form_Data *openData(shell::AppContext &ctx, const scoring::Ana_data &data)
{
    if (ctx.menu) {
        if (QMdiSubWindow *open = ctx.menu->findChildWindow(u"Form_Data"_s)) {
            // The old screen goes once events run; unnamed, it is not found again meanwhile.
            open->widget()->setObjectName(QString());
            open->close();
        }
    }
    auto *form = new Form_Data(ctx, data);
    if (ctx.menu) {
        QMdiSubWindow *frame = ctx.menu->addChild(form, shell::Form_menu::Frame::Fixed);
        platform::WindowPositionKeeper::keep(*frame, ctx.store, u"data"_s);
        frame->show();
        frame->setFocus();
    } else {
        form->setAttribute(Qt::WA_DeleteOnClose);
        platform::WindowPositionKeeper::keep(*form, ctx.store, u"data"_s);
        form->show();
    }
    return form;
}

} // namespace results_ui
