#include "entry/form_info.h"

#include "config/settings_store.h"
#include "config/window_position.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace entry {

namespace {
const QString prefix = QStringLiteral("info");
}

Form_INFO::Form_INFO(config::SettingsStore &store, QWidget *parent) : QWidget(parent), store_(store)
{
    setObjectName(u"Form_INFO"_s);
    setWindowTitle(caption());

    auto *bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    QAction *off = bar->addAction(u"閉じる(&X)"_s);
    off->setObjectName(u"menu_off"_s);
    connect(off, &QAction::triggered, this, &Form_INFO::close_info);

    Txt_INFO_ = new QPlainTextEdit(this);
    Txt_INFO_->setObjectName(u"Txt_INFO"_s);
    Txt_INFO_->setReadOnly(true);
    Txt_INFO_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Txt_INFO_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Txt_INFO_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont font = Txt_INFO_->font();
    font.setPointSize(11);
    Txt_INFO_->setFont(font);
    Txt_INFO_->setFixedSize(700, 280);

    auto *ok = new QPushButton(u"閉じる (&C)"_s, this);
    ok->setObjectName(u"Cmd_OK"_s);
    ok->setMinimumSize(120, 30);
    connect(ok, &QPushButton::clicked, this, &Form_INFO::close_info);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addWidget(Txt_INFO_);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setFixedSize(sizeHint());
}

Form_INFO::~Form_INFO()
{
    store_position();
}

QString Form_INFO::caption()
{
    return u"入力情報"_s;
}

QWidget *Form_INFO::frame()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) return sub;
    return this;
}

bool Form_INFO::is_shown()
{
    return frame()->isVisible();
}

void Form_INFO::show_text(const QString &text)
{
    QWidget *target = frame();
    if (placed_on_ != target) keep_position(target);
    // Line breaks are CR LF; the box breaks lines at LF only.
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    Txt_INFO_->setPlainText(shown);
    Txt_INFO_->moveCursor(QTextCursor::Start);
    target->show();
    target->raise();
    if (target != this) show();
}

QString Form_INFO::text() const
{
    return Txt_INFO_->toPlainText();
}

void Form_INFO::close_info()
{
    Txt_INFO_->clear();
    frame()->hide();
}

void Form_INFO::keep_position(QWidget *target)
{
    if (placed_on_) placed_on_->removeEventFilter(this);
    platform::placeWindow(*target, store_, prefix);
    placed_on_ = target;
    placed_ = true;
    position_ = target->pos();
    target->installEventFilter(this);
}

void Form_INFO::store_position()
{
    // Only a window that was shown has a position of its own.
    if (!placed_) return;
    config::writePosition(store_, prefix,
                          {platform::pixelsToTwips(position_.x()), platform::pixelsToTwips(position_.y())});
}

bool Form_INFO::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == placed_on_) {
        if (event->type() == QEvent::Move) position_ = placed_on_->pos();
        if (event->type() == QEvent::Close) {
            position_ = placed_on_->pos();
            store_position();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form_INFO::closeEvent(QCloseEvent *event)
{
    // Closed as a window of its own (its position is stored by the filter):
    // the text goes and the window only hides.
    Txt_INFO_->clear();
    QWidget::closeEvent(event);
}

} // namespace entry
