#include "shell/form_start.h"

#include "config/settings.h"
#include "platform/window_placement.h"
#include "shell/app_context.h"
#include "shell/browser_launch.h"
#include "shell/form_menu.h"
#include "shell/form_wait.h"
#include "shell/start_banner.h"
#include "store/database.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace shell {

namespace {

constexpr int bodyWidth = 440;
constexpr int bodyHeight = 372;
constexpr int pictureHeight = 112;
constexpr int buttonWidth = 200;
constexpr int buttonHeight = 40;

int index(Form_Start::Screen s) { return static_cast<int>(s); }

} // namespace

Form_Start::Form_Start(AppContext &ctx, QWidget *parent)
    : QWidget(parent)
    , m_ctx(ctx)
    , m_body(new QWidget(this))
    , m_menuBar(new QMenuBar(this))
{
    setObjectName(u"Form_Start"_s);
    setWindowTitle(u"　メニュー画面"_s);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_menuBar->setObjectName(u"MenuBar"_s);
    m_menuBar->setNativeMenuBar(false);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_body);

    m_body->setObjectName(u"Form_Start_back"_s);
    m_body->setFixedSize(bodyWidth, bodyHeight);
    m_body->setMouseTracking(true);
    m_body->installEventFilter(this);

    // The header picture with the row count in white over it.
    auto *picture = new QLabel(m_body);
    picture->setObjectName(u"Picture1"_s);
    picture->setGeometry(10, 10, bodyWidth - 20, pictureHeight);
    QPixmap banner(picture->size());
    {
        QPainter p(&banner);
        StartBanner::paint(p, QRect(QPoint(0, 0), banner.size()));
    }
    picture->setPixmap(banner);
    m_picture = picture;

    QFont countFont = font();
    countFont.setPointSize(12);
    countFont.setBold(true);
    auto whiteLabel = [&](const QString &name, const QString &text, Qt::Alignment align) {
        auto *l = new QLabel(text, picture);
        l->setObjectName(name);
        l->setFont(countFont);
        l->setAlignment(align | Qt::AlignVCenter);
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(lp);
        return l;
    };
    // "登録データ  n 件" along the foot of the picture.
    auto *row = new QHBoxLayout(picture);
    row->setContentsMargins(24, 0, 0, 8);
    row->setSpacing(8);
    row->addWidget(whiteLabel(u"Label_data"_s, u"登録データ"_s, Qt::AlignLeft), 0, Qt::AlignBottom);
    m_count = whiteLabel(u"Lbl_all_data"_s, u"0"_s, Qt::AlignRight);
    m_count->setMinimumWidth(QFontMetrics(countFont).horizontalAdvance(u"000000"_s));
    row->addWidget(m_count, 0, Qt::AlignBottom);
    row->addWidget(whiteLabel(u"Label_ken"_s, u"件"_s, Qt::AlignLeft), 0, Qt::AlignBottom);
    row->addStretch(1);

    // Two columns of four, the end button below them.
    const int left = (bodyWidth - 2 * buttonWidth - 20) / 2;
    const int top = 10 + pictureHeight + 14;
    auto cell = [&](int col, int row) {
        return QRect(left + col * (buttonWidth + 20), top + row * (buttonHeight + 8), buttonWidth,
                     buttonHeight);
    };
    m_buttons[index(Screen::Siai)] = makeButton(u"Cmd_OK"_s, u"スコア入力 (&I)"_s, cell(0, 0));
    m_buttons[index(Screen::Settei)] = makeButton(u"Cmd_Settei"_s, u"設　定 (&D)"_s, cell(0, 1));
    m_buttons[index(Screen::Edit)] = makeButton(u"Cmd_Edit"_s, u"データ編集 (&E)"_s, cell(0, 2));
    m_buttons[index(Screen::Seiseki)] = makeButton(u"Cmd_Seiseki"_s, u"統計成績 (&A)"_s, cell(0, 3));
    m_buttons[index(Screen::Kojin)] = makeButton(u"Cmd_Kojin"_s, u"個人記録 (&P)"_s, cell(1, 0));
    m_buttons[index(Screen::Score)] = makeButton(u"Cmd_Score"_s, u"スコアブック (&S)"_s, cell(1, 1));
    m_buttons[index(Screen::SiaiSeiseki)]
        = makeButton(u"Cmd_siaiSeiseki"_s, u"試合単位統計(&U)"_s, cell(1, 2));
    m_buttons[index(Screen::Sokuho)] = makeButton(u"Cmd_sokuho"_s, u"試合速報作成 (&N)"_s, cell(1, 3));
    const QRect endCell = cell(0, 4);
    m_end = makeButton(u"Cmd_END"_s, u"終　了 (&C)"_s,
                       QRect((bodyWidth - buttonWidth) / 2, endCell.y(), buttonWidth, buttonHeight));
    connect(m_end, &QPushButton::clicked, this, [this] {
        if (m_ctx.menu)
            m_ctx.menu->close();
    });
    // Kept outside the visible area of the window.
    m_buttons[index(Screen::AnaKojin)]
        = makeButton(u"Command1"_s, u"Command1"_s, QRect(bodyWidth + 40, 10, 90, 30));

    for (int i = 0; i < screenCount; ++i) {
        if (QPushButton *b = m_buttons[i])
            connect(b, &QPushButton::clicked, this, [this, i] { open(static_cast<Screen>(i)); });
    }

    buildMenu();
    refreshEnabled();
    setFixedSize(sizeHint());
}

QPushButton *Form_Start::makeButton(const QString &name, const QString &text, const QRect &geometry)
{
    auto *b = new QPushButton(text, m_body);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    // A move over a disabled button counts as a move over the background, as
    // the button takes no events of its own then.
    b->setMouseTracking(true);
    b->installEventFilter(this);
    return b;
}

QAction *Form_Start::makeEntry(QMenu *menu, const QString &name, const QString &text)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(name);
    return a;
}

void Form_Start::buildMenu()
{
    QMenu *file = m_menuBar->addMenu(u"ファイル(&F)"_s);
    file->setObjectName(u"menu_file"_s);
    file->menuAction()->setObjectName(u"menu_file"_s);
    m_entries[index(Screen::Siai)] = makeEntry(file, u"menu_input"_s, u"スコア入力(&I)"_s);
    m_entries[index(Screen::Settei)] = makeEntry(file, u"menu_settei"_s, u"環境設定(&C)"_s);
    QAction *end = makeEntry(file, u"menu_end"_s, u"終了(&X)"_s);
    connect(end, &QAction::triggered, this, [this] {
        if (m_ctx.menu)
            m_ctx.menu->close();
    });

    QMenu *database = m_menuBar->addMenu(u"データベース(&D)"_s);
    database->setObjectName(u"menu_database"_s);
    database->menuAction()->setObjectName(u"menu_database"_s);
    m_entries[index(Screen::Seiseki)] = makeEntry(database, u"menu_season"_s, u"統計成績(&S)"_s);
    m_entries[index(Screen::Kojin)] = makeEntry(database, u"menu_kojin"_s, u"個人成績(&K)"_s);
    m_entries[index(Screen::Score)] = makeEntry(database, u"menu_score"_s, u"スコアブック(&B)"_s);
    m_entries[index(Screen::SiaiSeiseki)]
        = makeEntry(database, u"menu_siai_tokei"_s, u"試合ごとの統計(&T)"_s);
    m_entries[index(Screen::Sokuho)] = makeEntry(database, u"menu_sokuho"_s, u"試合速報作成(&N)"_s);
    m_entries[index(Screen::NewPlayer)]
        = makeEntry(database, u"menu_add(0)"_s, u"　選　手　名　　の追加・変更"_s);
    m_entries[index(Screen::Srs)] = makeEntry(database, u"menu_add(1)"_s, u"シーズン　名　の追加・変更"_s);
    m_entries[index(Screen::Hdcp)] = makeEntry(database, u"menu_add(2)"_s, u"ハンデキャップの追加・変更"_s);

    QMenu *hoka = m_menuBar->addMenu(u"その他(&A)"_s);
    hoka->setObjectName(u"menu_hoka"_s);
    hoka->menuAction()->setObjectName(u"menu_hoka"_s);
    QAction *aisatu = makeEntry(hoka, u"menu_aisatu"_s, u"ごあいさつ(&A)"_s);
    connect(aisatu, &QAction::triggered, this, [this] {
        if (m_ctx.menu)
            m_ctx.menu->showAisatsu();
    });
    // No product site exists: the home page entry opens the local help index.
    QAction *hp = makeEntry(hoka, u"menu_hp"_s, u"ホームページ(&H)"_s);
    connect(hp, &QAction::triggered, this, [this] { BrowserLaunch::openHelp(m_ctx, u"menu"_s); });
    QAction *version = makeEntry(hoka, u"menu_version"_s, u"バージョン情報(&V)"_s);
    connect(version, &QAction::triggered, this, [this] {
        if (m_ctx.menu)
            m_ctx.menu->showVersion();
    });

    QAction *help = m_menuBar->addAction(u"ヘルプ(&H)"_s);
    help->setObjectName(u"menu_help"_s);
    connect(help, &QAction::triggered, this, [this] { BrowserLaunch::openHelp(m_ctx, u"menu"_s); });

    for (int i = 0; i < screenCount; ++i) {
        if (QAction *a = m_entries[i])
            connect(a, &QAction::triggered, this, [this, i] { open(static_cast<Screen>(i)); });
    }
}

void Form_Start::attach(Screen screen, std::function<void()> open)
{
    m_handlers[index(screen)] = std::move(open);
    refreshEnabled();
}

bool Form_Start::isAttached(Screen screen) const
{
    return bool(m_handlers[index(screen)]);
}

void Form_Start::open(Screen screen)
{
    const std::function<void()> handler = m_handlers[index(screen)];
    if (!handler)
        return;
    switch (screen) {
    case Screen::Siai:
        if (QMdiSubWindow *f = frame())
            f->hide();
        if (m_ctx.menu) {
            if (QMdiSubWindow *edit = m_ctx.menu->findChildWindow(u"Form_edit"_s))
                edit->close();
        }
        handler();
        break;
    case Screen::Kojin:
        if (m_ctx.menu) {
            Form_Wait &wait = m_ctx.menu->waitBanner();
            wait.showNow();
            handler();
            wait.hideNow();
        } else {
            handler();
        }
        break;
    default:
        handler();
        break;
    }
}

std::int32_t Form_Start::countDataRows(const store::Database &db)
{
    try {
        if (!db.isOpen())
            return 0;
        const QVariant n = db.scalar(u"SELECT COUNT(*) FROM データ項目"_s);
        bool ok = false;
        const qlonglong v = n.toLongLong(&ok);
        return ok ? std::int32_t(v) : 0;
    } catch (const std::exception &) {
        return 0;
    }
}

void Form_Start::load()
{
    m_ctx.settings.all_data_cnt = countDataRows(m_ctx.db);
    showCount();
}

void Form_Start::showCount()
{
    m_count->setText(QString::number(m_ctx.settings.all_data_cnt));
}

QMdiSubWindow *Form_Start::frame() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

QList<QPushButton *> Form_Start::mainButtons() const
{
    return { m_buttons[index(Screen::Siai)],    m_buttons[index(Screen::Settei)],
             m_buttons[index(Screen::Edit)],    m_buttons[index(Screen::Seiseki)],
             m_buttons[index(Screen::Kojin)],   m_buttons[index(Screen::Score)],
             m_buttons[index(Screen::SiaiSeiseki)], m_buttons[index(Screen::Sokuho)],
             m_end };
}

void Form_Start::setButtonsActive(bool active)
{
    if (m_buttonsActive == active)
        return;
    m_buttonsActive = active;
    refreshEnabled();
}

void Form_Start::refreshEnabled()
{
    for (int i = 0; i < screenCount; ++i) {
        const bool attached = bool(m_handlers[i]);
        if (QPushButton *b = m_buttons[i])
            b->setEnabled(attached && (m_buttonsActive || static_cast<Screen>(i) == Screen::AnaKojin));
        if (QAction *a = m_entries[i])
            a->setEnabled(attached);
    }
    m_end->setEnabled(m_buttonsActive);
}

void Form_Start::subWindowActivated(QMdiSubWindow *window)
{
    if (!window)
        return;
    if (window == frame())
        showCount();
    else
        setButtonsActive(false);
}

void Form_Start::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_connected && m_ctx.menu) {
        m_connected = true;
        connect(m_ctx.menu->mdiArea(), &QMdiArea::subWindowActivated, this, &Form_Start::subWindowActivated);
    }
}

bool Form_Start::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove && watched != m_body && watched->isWidgetType()
        && !static_cast<QWidget *>(watched)->isEnabled()) {
        setButtonsActive(true);
        return false;
    }
    if (watched == m_body) {
        if (event->type() == QEvent::MouseMove) {
            setButtonsActive(true);
        } else if (event->type() == QEvent::MouseButtonPress) {
            const auto *me = static_cast<QMouseEvent *>(event);
            if (me->button() == Qt::LeftButton && m_ctx.menu)
                m_ctx.menu->showAisatsu();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form_Start::closeEvent(QCloseEvent *event)
{
    // The menu stays for the whole run; only the confirmed shutdown closes it.
    if (m_ctx.menu && !m_ctx.menu->isShuttingDown())
        event->ignore();
    else
        event->accept();
}

} // namespace shell
