#include "shell/form_aisatsu.h"

#include "platform/window_placement.h"
#include "shell/app_context.h"
#include "shell/browser_launch.h"
#include "shell/form_menu.h"
#include "shell/start_banner.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace shell {

Form_Aisatsu::Form_Aisatsu(AppContext &ctx, QWidget *parent)
    : QWidget(parent)
    , m_ctx(ctx)
{
    setObjectName(u"Form_Aisatsu"_s);
    setWindowTitle(u"　ごあいさつ"_s);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);

    auto *bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    QAction *back = bar->addAction(u"戻る"_s);
    back->setObjectName(u"menu_back"_s);
    connect(back, &QAction::triggered, this, [this] { Form_menu::closeChild(this); });
    QAction *ver = bar->addAction(u"バージョン情報"_s);
    ver->setObjectName(u"menu_ver"_s);
    connect(ver, &QAction::triggered, this, [this] {
        if (m_ctx.menu)
            m_ctx.menu->showVersion();
    });

    auto *picture = new QLabel(this);
    picture->setObjectName(u"Picture1"_s);
    QPixmap banner(420, 90);
    {
        QPainter p(&banner);
        StartBanner::paint(p, QRect(QPoint(0, 0), banner.size()));
    }
    picture->setPixmap(banner);

    auto *about = new QLabel(u"ピノラは、ボウリングの試合のスコアを一投ずつ入力して自動で計算し、"
                             u"そのデータを蓄積して成績の統計・分析を行うためのソフトウェアです。\n"
                             u"リーグやクラブの試合の記録、表彰、スコアブック、グラフ、"
                             u"ホームページ用の HTML の作成にお使いください。"_s,
                             this);
    about->setObjectName(u"Label1(0)"_s);
    about->setWordWrap(true);

    auto *homeCaption = new QLabel(u"ホームページ："_s, this);
    homeCaption->setObjectName(u"Label1(4)"_s);
    auto *home = new QLabel(u"<u>ph_menu.htm（ヘルプの目次）</u>"_s, this);
    home->setObjectName(u"Label1(5)"_s);
    QPalette hp = home->palette();
    hp.setColor(QPalette::WindowText, QColor(0, 0, 0xC0));
    home->setPalette(hp);
    for (QLabel *l : { homeCaption, home }) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }

    auto *ok = new QPushButton(u"わかった (&C)"_s, this);
    ok->setObjectName(u"cmd_ok"_s);
    connect(ok, &QPushButton::clicked, this, [this] { Form_menu::closeChild(this); });
    auto *version = new QPushButton(u"バージョン (&V)"_s, this);
    version->setObjectName(u"cmd_version"_s);
    connect(version, &QPushButton::clicked, this, [this] {
        if (m_ctx.menu)
            m_ctx.menu->showVersion();
    });

    auto *layout = new QGridLayout(this);
    layout->setMenuBar(bar);
    layout->setContentsMargins(20, 14, 20, 16);
    layout->setVerticalSpacing(10);
    layout->addWidget(picture, 0, 0, 1, 3, Qt::AlignHCenter);
    layout->addWidget(about, 1, 0, 1, 3);
    layout->addWidget(homeCaption, 2, 0);
    layout->addWidget(home, 2, 1, 1, 2);
    layout->addWidget(version, 3, 1);
    layout->addWidget(ok, 3, 2);
    about->setMinimumWidth(420);
    setFixedSize(sizeHint());
}

void Form_Aisatsu::openHomePage()
{
    BrowserLaunch::openHelp(m_ctx, u"menu"_s);
}

bool Form_Aisatsu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const QString name = watched->objectName();
        if (name == u"Label1(4)"_s || name == u"Label1(5)"_s) {
            openHomePage();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form_Aisatsu::closeEvent(QCloseEvent *event)
{
    if (QWidget *frame = parentWidget())
        platform::storeWindowPosition(*frame, m_ctx.store, u"aisatu"_s);
    event->accept();
}

} // namespace shell
