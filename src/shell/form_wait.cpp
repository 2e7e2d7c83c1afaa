#include "shell/form_wait.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

Form_Wait::Form_Wait(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"Form_Wait"_s);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    auto *label = new QLabel(text(), this);
    label->setObjectName(u"Label1"_s);
    QFont f = label->font();
    f.setPointSize(20);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(label);
}

QString Form_Wait::text()
{
    return u"処理中です。しばらくお待ちください。"_s;
}

void Form_Wait::showNow()
{
    QWidget *frame = parentWidget() ? parentWidget() : this;
    frame->show();
    frame->raise();
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Form_Wait::hideNow()
{
    QWidget *frame = parentWidget() ? parentWidget() : this;
    frame->hide();
}

} // namespace shell
