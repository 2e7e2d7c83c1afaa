#include "entry/form_main.h"

#include "config/settings.h"
#include "config/settings_store.h"
#include "shell/app_context.h"
#include "shell/browser_launch.h"
#include "shell/form_menu.h"
#include "entry/finish_controller.h"
#include "entry/form_info.h"
#include "entry/pin_diagram.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace entry {

namespace {

constexpr std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

// Geometry of the sheet, in pixels.
constexpr int sheet_x = 12;
constexpr int sheet_y = 52;
constexpr int ball_w = 36;
constexpr int head_h = 22;
constexpr int mark_h = 32;
constexpr int score_h = 36;
constexpr int picture_h = 34;
constexpr int hdcp_w = 64;
constexpr int total_w = 76;

int ball_x(int slot)
{
    return sheet_x + slot * ball_w;  // frames 1..9 two balls each, frame 10 three
}

QString indexed(const char *name, int i)
{
    return QString::fromLatin1(name) + u'(' + QString::number(i) + u')';
}

QString hex(std::uint32_t bgr)
{
    return platform::bgrToColor(int(bgr)).name();
}

QLineEdit *make_box(QWidget *parent, const QString &name, const QRect &geometry, int point_size)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    QFont font = box->font();
    font.setPointSize(point_size);
    box->setFont(font);
    return box;
}

// The picture of the strike button: a cross in a square, as on a score sheet.
QIcon strike_icon()
{
    QPixmap pixmap(25, 25);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.4));
    p.drawRect(QRectF(2.5, 2.5, 20, 20));
    p.setPen(QPen(QColor(200, 20, 20), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 7), QPointF(18, 18));
    p.drawLine(QPointF(18, 7), QPointF(7, 18));
    return QIcon(pixmap);
}

QPushButton *make_pad_button(QWidget *parent, const QString &name, const QString &text,
                             const QString &tip, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);  // the slot box keeps the focus
    button->setGeometry(geometry);
    return button;
}

QLabel *make_head(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(u"background:#2f4f6f; color:white; border:1px solid #555;"_s);
    return label;
}

} // namespace

form_main::form_main(Night &night, platform::Desktop &desktop, Mark_texts marks, QWidget *parent)
    : QWidget(parent), controller_(night, desktop, std::move(marks)), navigation_(controller_, desktop)
{
    setObjectName(u"form_main"_s);
    controller_.set_pin_keypad_available(true);
    controller_.set_New_score([this] { navigation_.New_score(); });
    navigation_.set_sheet_shown([this] {
        const Night &n = controller_.night();
        Q_EMIT sheet_shown(n.cur_sen, n.cur_game);
    });
    finish_ = std::make_unique<Finish_controller>(controller_, desktop, own_settings_);
    finish_->set_check_view([this](const QString &text) { show_check(text); });
    setWindowTitle(u"スコア入力"_s);
    body_ = new QWidget(this);
    body_->setObjectName(u"form_main_body"_s);
    build();
    build_menus();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu_bar_);
    layout->addWidget(body_);
    installEventFilter(this);
    refresh();
}

Form_INFO *form_main::info_window() const
{
    return info_;
}

form_main::~form_main()
{
    // The check window belongs to this screen; its frame goes with it.
    if (info_) {
        QWidget *window = info_->frame();
        delete window;
    }
}

void form_main::build()
{
    // Seat, player and game of the sheet on screen.
    Txt_junban_ = make_box(body_, u"Txt_junban"_s, {sheet_x, 12, 40, 30}, 12);
    Txt_SEN_ = make_box(body_, u"Txt_SEN"_s, {sheet_x + 46, 12, 200, 30}, 12);
    Txt_SEN_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *label1 = new QLabel(u"第　　　ｹﾞｰﾑ"_s, body_);
    label1->setObjectName(u"Label1"_s);
    label1->setGeometry(sheet_x + 262, 12, 110, 30);
    QFont big = label1->font();
    big.setPointSize(12);
    label1->setFont(big);
    Txt_GAM_ = make_box(body_, u"Txt_GAM"_s, {sheet_x + 262 + 22, 12, 40, 30}, 12);
    for (QLineEdit *box : {Txt_junban_, Txt_SEN_, Txt_GAM_}) {
        box->setEnabled(false);
        box->setStyleSheet(u"QLineEdit:disabled{color:black; background:#f4f4f4;}"_s);
    }

    // The sheet: a heading per frame, the balls above the running scores.
    for (int f = 0; f < 10; ++f) {
        const int x = ball_x(2 * f);
        const int w = (f < 9 ? 2 : 3) * ball_w;
        make_head(body_, QString::number(f + 1), {x, sheet_y, w, head_h});
    }
    const int hdcp_x = ball_x(21);
    const int total_x = hdcp_x + hdcp_w;
    make_head(body_, u"HDCP"_s, {hdcp_x, sheet_y, hdcp_w, head_h});
    make_head(body_, u"合計"_s, {total_x, sheet_y, total_w, head_h});

    const int mark_y = sheet_y + head_h;
    const int score_y = mark_y + mark_h;
    for (int k = 0; k < slot_count; ++k) {
        // Slot 21 only parks the focus: it lies out of sight.
        const QRect g = k < park_slot ? QRect(ball_x(k), mark_y, ball_w, mark_h) : QRect(-200, -200, 20, 20);
        Txt_MARK_[at(k)] = make_box(body_, indexed("Txt_MARK", k), g, 13);
        Txt_MARK_[at(k)]->installEventFilter(this);
        Txt_MARK_[at(k)]->setContextMenuPolicy(Qt::NoContextMenu);
    }
    for (int f = 1; f <= 10; ++f) {
        const int x = ball_x(2 * f - 2);
        const int w = (f < 10 ? 2 : 3) * ball_w;
        Txt_SCORE_[at(f)] = make_box(body_, indexed("Txt_SCORE", f), {x, score_y, w, score_h}, 14);
    }
    Txt_SCORE_[11] = make_box(body_, indexed("Txt_SCORE", 11), {hdcp_x, mark_y, hdcp_w, mark_h + score_h}, 14);
    Txt_SCORE_[0] = make_box(body_, indexed("Txt_SCORE", 0), {total_x, mark_y, total_w, mark_h + score_h}, 16);
    for (QLineEdit *box : Txt_SCORE_) {
        box->setFocusPolicy(Qt::NoFocus);
        box->setStyleSheet(u"QLineEdit{background:white; border:1px solid #777;}"_s);
    }
    // The handicap scroll bar under the HDCP box; up raises the handicap.
    auto *label_hcp = new QLabel(u"HDCP"_s, body_);
    label_hcp->setObjectName(indexed("Label2", 3));
    label_hcp->setGeometry(hdcp_x - 4, score_y + score_h + 4, 40, 34);
    label_hcp->setAlignment(Qt::AlignCenter);
    VSc_Hcp_ = new QScrollBar(Qt::Vertical, body_);
    VSc_Hcp_->setObjectName(u"VSc_Hcp"_s);
    VSc_Hcp_->setRange(Entry_navigation::hcp_min, Entry_navigation::hcp_max);
    VSc_Hcp_->setSingleStep(1);
    VSc_Hcp_->setPageStep(Entry_navigation::hcp_large_step);
    VSc_Hcp_->setInvertedAppearance(true);
    VSc_Hcp_->setInvertedControls(true);
    VSc_Hcp_->setFocusPolicy(Qt::NoFocus);
    VSc_Hcp_->setGeometry(hdcp_x + 38, score_y + score_h + 2, 20, 40);
    connect(VSc_Hcp_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_)
            return;
        navigation_.VSc_Hcp(value);
        refresh();
    });

    QFont bold = Txt_SCORE_[0]->font();
    bold.setBold(true);
    Txt_SCORE_[0]->setFont(bold);

    // Pin diagrams under the balls: one per frame, frame 10 with its two
    // fresh racks beside it.
    const int picture_y = score_y + score_h + 4;
    for (int i = 0; i < Entry_controller::picture_count; ++i) {
        auto *picture = new Pin_diagram(body_);
        picture->setObjectName(indexed("Pct_flame", i));
        const int x = i < 9 ? ball_x(2 * i) + (2 * ball_w - 44) / 2 : ball_x(18 + (i - 9));
        const int w = i < 9 ? 44 : ball_w;
        picture->setGeometry(x, picture_y, w, picture_h);
        connect(picture, &Pin_diagram::clicked, this, [this, i] {
            controller_.Pct_flame_click(i);
            refresh();
        });
        Pct_flame_[at(i)] = picture;
    }

    auto *keisan = new QPushButton(u"計　算 (&C)"_s, body_);
    keisan->setObjectName(u"Cmd_KEISAN"_s);
    keisan->setToolTip(u"得点計算をします(Alt+C)"_s);
    keisan->setFocusPolicy(Qt::NoFocus);
    keisan->setGeometry(total_x - 44, picture_y + picture_h + 14, total_w + 44, 34);
    connect(keisan, &QPushButton::clicked, this, [this] {
        controller_.Cmd_KEISAN();
        refresh();
    });

    // The mark keypad beside the sheet, laid out like a number block.
    const int pad_x = total_x + total_w + 24;
    mark_keypad_ = new QWidget(body_);
    mark_keypad_->setObjectName(u"mark_keypad"_s);
    mark_keypad_x_ = pad_x;
    constexpr int bw = 52, bh = 40, gap = 4;
    mark_keypad_->setGeometry(pad_x, sheet_y, 3 * bw + 2 * gap, 6 * (bh + gap));
    const std::array<std::array<int, 3>, 4> rows = {{{7, 8, 9}, {4, 5, 6}, {1, 2, 3},
                                                     {code_gutter, code_miss, code_foul}}};
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 3; ++col)
            make_mark_button(mark_keypad_, rows[at(r)][at(col)], col * (bw + gap), r * (bh + gap), bw, bh);
    make_mark_button(mark_keypad_, code_strike, 0, 4 * (bh + gap), bw, bh);
    make_mark_button(mark_keypad_, code_spare, bw + gap, 4 * (bh + gap), bw, bh);
    auto *hidden = make_mark_button(mark_keypad_, code_empty, 0, 0, bw, bh);
    hidden->hide();

    auto *spl = new QPushButton(u"Split"_s, mark_keypad_);
    spl->setObjectName(u"Cmd_spl"_s);
    spl->setToolTip(u"スプリット (+)"_s);
    spl->setFocusPolicy(Qt::NoFocus);
    spl->setGeometry(2 * (bw + gap), 4 * (bh + gap), bw, bh);
    spl->setStyleSheet(u"QPushButton{background:#ffc0c0;}"_s);
    connect(spl, &QPushButton::clicked, this, [this] {
        controller_.Cmd_spl();
        refresh();
    });
    for (int i = 0; i < 2; ++i) {
        auto *move = new QPushButton(mark_keypad_);
        move->setObjectName(indexed("cmd_moveflame2", i));
        move->setIcon(style()->standardIcon(i == 0 ? QStyle::SP_ArrowLeft : QStyle::SP_ArrowRight));
        move->setFocusPolicy(Qt::NoFocus);
        const int w = (3 * bw + gap) / 2;
        move->setGeometry(i * (w + gap), 5 * (bh + gap), w, bh);
        connect(move, &QPushButton::clicked, this, [this, i] {
            controller_.cmd_moveflame2(i);
            refresh();
        });
    }

    build_pin_keypad(pad_x, sheet_y);

    Frame_Mode_ = new QGroupBox(body_);
    Frame_Mode_->setObjectName(u"Frame_Mode"_s);
    Frame_Mode_->setGeometry(pad_x - 6, sheet_y + 6 * (bh + gap) + 6, 3 * bw + 2 * gap + 12, 64);
    Cmd_Mode_ = new QPushButton(u"入力切替え(&ModeChange)"_s, Frame_Mode_);
    Cmd_Mode_->setObjectName(u"Cmd_Mode"_s);
    Cmd_Mode_->setToolTip(u"入力モードを切り替えます (Alt+M)"_s);
    Cmd_Mode_->setFocusPolicy(Qt::NoFocus);
    Cmd_Mode_->setGeometry(8, 24, 3 * bw + 2 * gap - 4, 30);
    connect(Cmd_Mode_, &QPushButton::clicked, this, [this] {
        controller_.Cmd_Mode();
        refresh();
    });

    Label3_ = new QLabel(body_);
    Label3_->setObjectName(u"Label3"_s);
    Label3_->hide();

    build_moves(sheet_x, picture_y + picture_h + 14);
    body_->setFixedSize(pad_x + 3 * bw + 2 * gap + 16, Frame_Mode_->geometry().bottom() + 14);
}

QPushButton *form_main::make_mark_button(QWidget *parent, int code, int x, int y, int w, int h)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(indexed("Cmd_MARK", code));
    button->setToolTip(Entry_controller::Cmd_MARK_tooltip(code));
    button->setFocusPolicy(Qt::NoFocus);  // the slot box keeps the focus
    button->setGeometry(x, y, w, h);
    QFont font = button->font();
    font.setPointSize(14);
    button->setFont(font);
    connect(button, &QPushButton::clicked, this, [this, code] {
        controller_.Cmd_MARK(code);
        refresh();
    });
    Cmd_MARK_[at(code)] = button;
    return button;
}

// Moves between players and games, the player's records and finishing,
// under the sheet; the buttons reached only through the menus lie hidden.
void form_main::build_moves(int x, int y)
{
    constexpr int b = 34, step = 36;
    const std::array<QPoint, 4> places = {QPoint(step, 0), QPoint(step, 2 * step), QPoint(0, step),
                                          QPoint(2 * step, step)};
    const std::array<Qt::ArrowType, 4> arrows = {Qt::UpArrow, Qt::DownArrow, Qt::LeftArrow, Qt::RightArrow};
    const std::array<const char16_t *, 4> tips = {u"上の選手へ (↑)", u"下の選手へ (↓)", u"左の選手へ (←)",
                                                  u"右の選手へ (→)"};
    for (int i = 0; i < 4; ++i) {
        auto *button = new QToolButton(body_);
        button->setObjectName(indexed("Pct_moveSEN", i));
        button->setArrowType(arrows[at(i)]);
        button->setToolTip(QString::fromUtf16(tips[at(i)]));
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(x + places[at(i)].x(), y + places[at(i)].y(), b, b);
        connect(button, &QToolButton::clicked, this, [this, i] { move({Move_request::Kind::Pct_moveSEN, i}); });
    }
    auto *players = new QLabel(u"選手"_s, body_);
    players->setObjectName(indexed("Label2", 1));
    players->setAlignment(Qt::AlignCenter);
    players->setGeometry(x + step, y + step, b, b);

    // Previous and next game: a picture and a label that acts like it.
    const int gx = x + 3 * step + 24;
    for (int i = 0; i < 2; ++i) {
        const int bx = gx + i * 110;
        auto *picture = new QToolButton(body_);
        picture->setObjectName(indexed("Pct_moveGAM", i));
        picture->setIcon(style()->standardIcon(i == 0 ? QStyle::SP_MediaSeekBackward : QStyle::SP_MediaSeekForward));
        picture->setIconSize({24, 24});
        picture->setToolTip(i == 0 ? u"前のゲームへ (RollDown)"_s : u"次のゲームへ (RollUp)"_s);
        picture->setFocusPolicy(Qt::NoFocus);
        picture->setGeometry(bx + 28, y + step - 6, 44, 40);
        auto *label = new QToolButton(body_);
        label->setObjectName(indexed("Label2", i == 0 ? 4 : 0));
        label->setText(i == 0 ? u"前の　ゲーム"_s : u"次の　ゲーム"_s);
        label->setAutoRaise(true);
        label->setFocusPolicy(Qt::NoFocus);
        label->setGeometry(bx, y + 2 * step, 100, 28);
        for (QToolButton *w : {picture, label})
            connect(w, &QToolButton::clicked, this, [this, i] { move({Move_request::Kind::Pct_moveGAM, i}); });
    }

    const int cx = gx + 240;
    auto *kojin = make_pad_button(body_, u"Cmd_Kojin"_s, u"選手情報 (&Info)"_s, u"入力中の選手情報を見ます(Att+I)"_s,
                                  {cx, y, 160, 34});
    // The personal records screen is not part of this program yet.
    kojin->setEnabled(false);
    auto *tokei = make_pad_button(body_, u"Cmd_TOKEI"_s, u"統計へ (&Save)"_s, u"入力を終了し統計処理をします(Alt+E)"_s,
                                  {cx, y + 44, 160, 34});
    connect(tokei, &QPushButton::clicked, this, &form_main::Cmd_TOKEI);

    // Reached through the menus only.
    const std::array<std::pair<QString, QString>, 6> hidden = {{
        {indexed("Cmd_CAN", 0), u"マーク全消去"_s},
        {indexed("Cmd_CAN", 1), u"メニューに戻る"_s},
        {u"Cmd_INFO"_s, u"チェック"_s},
        {indexed("Cmd_Data_IO", 0), u"出力"_s},
        {indexed("Cmd_Data_IO", 1), u"入力"_s},
        {indexed("Cmd_Data_IO", 2), u"自動保存"_s},
    }};
    for (const auto &[name, caption] : hidden) {
        auto *button = make_pad_button(body_, name, caption, QString(), {-400, -400, 80, 24});
        button->hide();
        button->setEnabled(false);
    }
    auto *info = body_->findChild<QPushButton *>(u"Cmd_INFO"_s);
    info->setEnabled(true);
    connect(info, &QPushButton::clicked, this, &form_main::Cmd_INFO);
    for (int i = 0; i < 2; ++i) {
        auto *button = body_->findChild<QPushButton *>(indexed("Cmd_CAN", i));
        button->setEnabled(true);
        connect(button, &QPushButton::clicked, this, [this, i] { Cmd_CAN(i); });
    }
}

void form_main::build_menus()
{
    menu_bar_ = new QMenuBar(this);
    menu_bar_->setObjectName(u"MenuBar"_s);
    menu_bar_->setNativeMenuBar(false);
    auto entry = [this](QMenu *menu, const QString &name, const QString &text, auto action) {
        QAction *a = menu->addAction(text);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, action);
        return a;
    };
    auto unbuilt = [](QAction *a) { a->setEnabled(false); };

    QMenu *file = menu_bar_->addMenu(u"ファイル(&F)"_s);
    file->setObjectName(u"menu_file"_s);
    entry(file, u"menu_ok"_s, u"統計へ(&N)"_s, [this] { Cmd_TOKEI(); });
    file->addSeparator();
    unbuilt(entry(file, indexed("menu_data", 0), u"データ書き出し"_s, [] {}));
    unbuilt(entry(file, indexed("menu_data", 1), u"データ読み込み"_s, [] {}));
    file->addSeparator();
    entry(file, u"menu_cancel"_s, u"メニューに戻る(&X)"_s, [this] { Cmd_CAN(1); });

    QMenu *edit = menu_bar_->addMenu(u"編集(&E)"_s);
    edit->setObjectName(u"menu_edit"_s);
    entry(edit, u"menu_clear"_s, u"マーク全消去"_s, [this] { Cmd_CAN(0); });
    entry(edit, u"menu_keisan"_s, u"計算"_s, [this] {
        controller_.Cmd_KEISAN();
        refresh();
    });
    entry(edit, u"menu_input"_s, u"入力情報"_s, [this] { Cmd_INFO(); });
    unbuilt(entry(edit, u"menu_jofo"_s, u"選手情報"_s, [] {}));

    QMenu *ido = menu_bar_->addMenu(u"移動(&M)"_s);
    ido->setObjectName(u"menu_ido"_s);
    const std::array<QString, 4> moves = {u"一人　前へ"_s, u"一人　後へ"_s, u"一列　前へ"_s, u"一列　後へ"_s};
    for (int i = 0; i < 4; ++i)
        entry(ido, indexed("menu_move", i), moves[at(i)], [this, i] { move({Move_request::Kind::Pct_moveSEN, i}); });
    ido->addSeparator();
    const std::array<QString, 2> games = {u"１ゲーム　前へ"_s, u"１ゲーム　後へ"_s};
    for (int i = 0; i < 2; ++i)
        entry(ido, indexed("menu_game", i), games[at(i)], [this, i] { move({Move_request::Kind::Pct_moveGAM, i}); });
    ido->addSeparator();
    // Back to the lane chart of the night, which stays open behind this screen.
    entry(ido, u"menu_player"_s, u"出場選手登録"_s, [this] { Q_EMIT participants_requested(); });

    QAction *help = menu_bar_->addAction(u"ヘルプ(&H)"_s);
    help->setObjectName(u"menu_h"_s);
    connect(help, &QAction::triggered, this, &form_main::menu_h);
}

void form_main::attach(shell::AppContext &ctx)
{
    navigation_.set_match(&ctx.match);
    navigation_.set_hcp_mynas(ctx.settings.hcp_mynas);
    controller_.set_marks(scoring::Mark_texts(ctx.settings.Spear_mark));
    set_browser(ctx.settings.brw, ctx.programDir);
    menu_ = ctx.menu;
    finish_ = std::make_unique<Finish_controller>(controller_, ctx.desktop, ctx.settings);
    finish_->set_check_view([this](const QString &text) { show_check(text); });
    use_pin_settings(ctx.settings, ctx.programDir);
}

void form_main::set_browser(const QString &brw, const QString &folder)
{
    brw_ = brw;
    folder_ = folder;
}

void form_main::menu_h()
{
    // A browser that cannot be started is named in a message; nothing else.
    shell::BrowserLaunch::open(controller_.desktop(), brw_, QDir(folder_).filePath(u"ph_mark.htm"_s));
}

void form_main::Cmd_CAN(int index)
{
    if (index == 0) {
        navigation_.Cmd_CAN0();
        refresh();
    } else if (index == 1) {
        if (navigation_.Cmd_CAN1())
            Q_EMIT abandoned();  // the receiver may close this screen: nothing follows
    }
}

void form_main::Cmd_INFO()
{
    finish_->Cmd_INFO();
    refresh();
}

void form_main::Cmd_TOKEI()
{
    const Finish_result result = finish_->Cmd_TOKEI();
    refresh();
    if (result.go_on())
        Q_EMIT finish_confirmed(result.data);
}

void form_main::show_check(const QString &text)
{
    if (!info_ && store_) {
        info_ = new Form_INFO(*store_);
        if (menu_)
            menu_->addChild(info_, shell::Form_menu::Frame::Fixed, false);
    }
    if (info_)
        info_->show_text(text);
}

void form_main::move(const Move_request &request)
{
    if (request.kind == Move_request::Kind::Pct_moveSEN)
        navigation_.Pct_moveSEN(request.index);
    else if (request.kind == Move_request::Kind::Pct_moveGAM)
        navigation_.Pct_moveGAM(request.index);
    refresh();
}

// The pin keypad in the place of the mark keypad: the ten pins as a triangle
// with pin 1 at the front, the strike, gutter, foul, miss and clear buttons,
// the frame moves and OK.
void form_main::build_pin_keypad(int x, int y)
{
    pin_keypad_ = new QWidget(body_);
    pin_keypad_->setObjectName(u"pin_keypad"_s);
    pin_keypad_x_ = x;
    constexpr int pw = 38, gap = 4, step = pw + gap;
    pin_keypad_->setGeometry(x, y, 4 * pw + 3 * gap, mark_keypad_->height());

    // Pins 7..10 in the back row, then 4..6, 2 and 3, and pin 1 in front;
    // each row half a step in from the one behind it.
    constexpr std::array<std::pair<int, int>, 10> places = {{
        {3, 3}, {2, 2}, {2, 4}, {1, 1}, {1, 3}, {1, 5}, {0, 0}, {0, 2}, {0, 4}, {0, 6},
    }};
    for (int i = 0; i < 10; ++i) {
        auto *pin = new QToolButton(pin_keypad_);
        pin->setObjectName(indexed("Pct_Pin", i));
        pin->setToolTip(Entry_controller::Pct_Pin_tooltip(i));
        pin->setFocusPolicy(Qt::NoFocus);
        pin->setAutoRaise(true);
        pin->setIconSize({25, 25});
        const auto [row, half] = places[at(i)];
        pin->setGeometry(half * step / 2, row * step, pw, pw);
        pin->setStyleSheet(u"QToolButton{background:#e0e0e0; border:1px solid #b0b0b0;}"_s);
        connect(pin, &QToolButton::clicked, this, [this, i] {
            controller_.pct_pin(i);
            refresh();
        });
        Pct_Pin_[at(i)] = pin;
    }

    // Strike, gutter, foul and miss under the pins; cmd_MDS(1) is never shown.
    const int mds_y = 4 * step + 2;
    const int bw = pw;
    const std::array<int, 4> row1 = {0, 2, 3, 4};
    for (int n = 0; n < 4; ++n) {
        const int index = row1[at(n)];
        auto *button = make_pad_button(pin_keypad_, indexed("cmd_MDS", index),
                                       Entry_controller::cmd_MDS_caption(index),
                                       Entry_controller::cmd_MDS_tooltip(index),
                                       {n * step, mds_y, bw, bw});
        QFont font = button->font();
        font.setPointSize(14);
        button->setFont(font);
        if (index == 0) {
            button->setIcon(strike_icon());
            button->setIconSize({25, 25});
        }
        connect(button, &QPushButton::clicked, this, [this, index] {
            controller_.cmd_MDS(index);
            refresh();
        });
    }
    auto *unused = make_pad_button(pin_keypad_, indexed("cmd_MDS", 1), QString(), QString(),
                                   {0, mds_y, bw, bw});
    unused->hide();

    // Clear, the two frame moves and OK on the last row.
    const int last_y = mds_y + step;
    auto *clear = make_pad_button(pin_keypad_, indexed("cmd_MDS", 5), Entry_controller::cmd_MDS_caption(5),
                                  Entry_controller::cmd_MDS_tooltip(5), {0, last_y, bw, bw});
    connect(clear, &QPushButton::clicked, this, [this] {
        controller_.cmd_MDS(5);
        refresh();
    });
    for (int i = 0; i < 3; ++i) {
        auto *move = make_pad_button(pin_keypad_, indexed("Cmd_moveflame", i), i == 2 ? u"OK"_s : QString(),
                                     Entry_controller::Cmd_moveflame_tooltip(i),
                                     {(i + 1) * step, last_y, bw, bw});
        if (i < 2)
            move->setIcon(style()->standardIcon(i == 0 ? QStyle::SP_ArrowLeft : QStyle::SP_ArrowRight));
        else
            move->setStyleSheet(u"QPushButton{font-weight:bold;}"_s);
        connect(move, &QPushButton::clicked, this, [this, i] {
            controller_.Cmd_moveflame(i);
            refresh();
        });
    }
}

void form_main::use_pin_settings(const config::Settings &settings, const QString &folder)
{
    const QDir dir(folder);
    const std::array<QString, 3> names = {settings.pin1_name, settings.pin2_name, settings.pin3_name};
    for (int state = 0; state < 3; ++state) {
        const QString name = names[at(state)];
        pin_pictures_[at(state)] = name.isEmpty() ? QPixmap() : QPixmap(dir.filePath(name));
    }
    controller_.set_pin_colours(std::uint32_t(settings.pin1_color), std::uint32_t(settings.pin2_color),
                                std::uint32_t(settings.pin3_color));
    controller_.paint_sheet_diagrams();
    refresh();
}

void form_main::load(config::SettingsStore &store)
{
    store_ = &store;
    controller_.load(store);
    refresh();
}

void form_main::Activate()
{
    navigation_.Activate();
    refresh();
}

void form_main::show_sheet()
{
    navigation_.New_score();
    refresh();
}

void form_main::refresh()
{
    syncing_ = true;
    const Night &night = controller_.night();
    for (int k = 0; k < slot_count; ++k) {
        QLineEdit *box = Txt_MARK_[at(k)];
        box->setText(night.screen.Txt_MARK[at(k)]);
        const QString style = u"QLineEdit{background:%1; border:1px solid #777;}"
                              u"QLineEdit:focus{border:3px solid #1a6fd6;}"_s.arg(hex(night.screen.back_colour(k)));
        if (style != mark_style_[at(k)]) {
            mark_style_[at(k)] = style;
            box->setStyleSheet(style);
        }
    }
    for (int i = 0; i < score_box_count; ++i)
        Txt_SCORE_[at(i)]->setText(night.screen.Txt_SCORE[at(i)]);
    VSc_Hcp_->setValue(navigation_.VSc_Hcp_value());
    Txt_junban_->setText(controller_.Txt_junban());
    Txt_SEN_->setText(controller_.Txt_SEN());
    Txt_GAM_->setText(controller_.Txt_GAM());
    for (int i = 0; i < Entry_controller::picture_count; ++i) {
        Pin_diagram *picture = Pct_flame_[at(i)];
        picture->set_back_colour(controller_.Pct_flame_colour(i));
        picture->setEnabled(controller_.Pct_flame_enabled(i));
        for (int n = 0; n < 10; ++n)
            picture->set_pin_colour(n, controller_.shp_Pin_colour(10 * i + n));
    }
    for (int code = 0; code < int(Cmd_MARK_.size()); ++code)
        if (Cmd_MARK_[at(code)])
            Cmd_MARK_[at(code)]->setText(controller_.Cmd_MARK_caption(code));
    Frame_Mode_->setTitle(controller_.Frame_Mode_caption());
    Cmd_Mode_->setEnabled(controller_.Cmd_Mode_enabled());
    mark_keypad_->move(mark_keypad_x_ + platform::twipsToPixels(controller_.mark_keypad_shift()),
                       mark_keypad_->y());
    pin_keypad_->move(pin_keypad_x_ + platform::twipsToPixels(controller_.pin_keypad_shift()),
                      pin_keypad_->y());
    for (int i = 0; i < 10; ++i) {
        const int state = controller_.pin_stat()[at(i)];
        const QPixmap &picture = pin_pictures_[at(std::clamp(state, 0, 2))];
        Pct_Pin_[at(i)]->setIcon(picture.isNull() ? QIcon() : QIcon(picture));
    }
    Label3_->setText(controller_.Label3());

    const int slot = controller_.focus_slot();
    if (slot >= 0 && slot < slot_count && focusWidget() != Txt_MARK_[at(slot)])
        Txt_MARK_[at(slot)]->setFocus(Qt::OtherFocusReason);
    syncing_ = false;
}

int form_main::slot_of(QObject *object) const
{
    for (int k = 0; k < slot_count; ++k)
        if (Txt_MARK_[at(k)] == object)
            return k;
    return -1;
}

bool form_main::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (!text.isEmpty()) {
            controller_.key_press(text.at(0).unicode());
            refresh();
        }
        return true;  // nothing is typed into a box
    }
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat())
            return true;
        const Move_request request = controller_.key_release(key->key(), key->modifiers());
        move(request);
        return true;
    }
    case QEvent::FocusIn: {
        const int slot = slot_of(watched);
        if (slot >= 0 && !syncing_) {
            controller_.focus(slot);
            refresh();
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const int slot = slot_of(watched);
        if (slot >= 0) {
            controller_.slot_click(slot);
            refresh();
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void form_main::closeEvent(QCloseEvent *event)
{
    if (store_) {
        platform::storeWindowPosition(*this, *store_, u"main"_s);
        controller_.unload(*store_);
    }
    QWidget::closeEvent(event);
}

} // namespace entry
