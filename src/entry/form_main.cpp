#include "entry/form_main.h"

#include "config/settings_store.h"
#include "entry/pin_diagram.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

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
    : QWidget(parent), controller_(night, desktop, std::move(marks))
{
    setObjectName(u"form_main"_s);
    setWindowTitle(u"スコア入力"_s);
    build();
    installEventFilter(this);
    refresh();
}

form_main::~form_main() = default;

void form_main::build()
{
    // Seat, player and game of the sheet on screen.
    Txt_junban_ = make_box(this, u"Txt_junban"_s, {sheet_x, 12, 40, 30}, 12);
    Txt_SEN_ = make_box(this, u"Txt_SEN"_s, {sheet_x + 46, 12, 200, 30}, 12);
    Txt_SEN_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *label1 = new QLabel(u"第　　　ｹﾞｰﾑ"_s, this);
    label1->setObjectName(u"Label1"_s);
    label1->setGeometry(sheet_x + 262, 12, 110, 30);
    QFont big = label1->font();
    big.setPointSize(12);
    label1->setFont(big);
    Txt_GAM_ = make_box(this, u"Txt_GAM"_s, {sheet_x + 262 + 22, 12, 40, 30}, 12);
    for (QLineEdit *box : {Txt_junban_, Txt_SEN_, Txt_GAM_}) {
        box->setEnabled(false);
        box->setStyleSheet(u"QLineEdit:disabled{color:black; background:#f4f4f4;}"_s);
    }

    // The sheet: a heading per frame, the balls above the running scores.
    for (int f = 0; f < 10; ++f) {
        const int x = ball_x(2 * f);
        const int w = (f < 9 ? 2 : 3) * ball_w;
        make_head(this, QString::number(f + 1), {x, sheet_y, w, head_h});
    }
    const int hdcp_x = ball_x(21);
    const int total_x = hdcp_x + hdcp_w;
    make_head(this, u"HDCP"_s, {hdcp_x, sheet_y, hdcp_w, head_h});
    make_head(this, u"合計"_s, {total_x, sheet_y, total_w, head_h});

    const int mark_y = sheet_y + head_h;
    const int score_y = mark_y + mark_h;
    for (int k = 0; k < slot_count; ++k) {
        // Slot 21 only parks the focus: it lies out of sight.
        const QRect g = k < park_slot ? QRect(ball_x(k), mark_y, ball_w, mark_h) : QRect(-200, -200, 20, 20);
        Txt_MARK_[at(k)] = make_box(this, indexed("Txt_MARK", k), g, 13);
        Txt_MARK_[at(k)]->installEventFilter(this);
        Txt_MARK_[at(k)]->setContextMenuPolicy(Qt::NoContextMenu);
    }
    for (int f = 1; f <= 10; ++f) {
        const int x = ball_x(2 * f - 2);
        const int w = (f < 10 ? 2 : 3) * ball_w;
        Txt_SCORE_[at(f)] = make_box(this, indexed("Txt_SCORE", f), {x, score_y, w, score_h}, 14);
    }
    Txt_SCORE_[11] = make_box(this, indexed("Txt_SCORE", 11), {hdcp_x, mark_y, hdcp_w, mark_h + score_h}, 14);
    Txt_SCORE_[0] = make_box(this, indexed("Txt_SCORE", 0), {total_x, mark_y, total_w, mark_h + score_h}, 16);
    for (QLineEdit *box : Txt_SCORE_) {
        box->setFocusPolicy(Qt::NoFocus);
        box->setStyleSheet(u"QLineEdit{background:white; border:1px solid #777;}"_s);
    }
    QFont bold = Txt_SCORE_[0]->font();
    bold.setBold(true);
    Txt_SCORE_[0]->setFont(bold);

    // Pin diagrams under the balls: one per frame, frame 10 with its two
    // fresh racks beside it.
    const int picture_y = score_y + score_h + 4;
    for (int i = 0; i < Entry_controller::picture_count; ++i) {
        auto *picture = new Pin_diagram(this);
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

    auto *keisan = new QPushButton(u"計　算 (&C)"_s, this);
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
    mark_keypad_ = new QWidget(this);
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

    Frame_Mode_ = new QGroupBox(this);
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

    Label3_ = new QLabel(this);
    Label3_->setObjectName(u"Label3"_s);
    Label3_->hide();

    setFixedSize(pad_x + 3 * bw + 2 * gap + 16, Frame_Mode_->geometry().bottom() + 14);
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

void form_main::load(config::SettingsStore &store)
{
    store_ = &store;
    platform::placeWindow(*this, store, u"main"_s);
    controller_.load(store);
    refresh();
}

void form_main::show_sheet()
{
    controller_.show_sheet();
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
        const Move_request move = controller_.key_release(key->key(), key->modifiers());
        refresh();
        if (move.kind == Move_request::Kind::Pct_moveSEN)
            Q_EMIT Pct_moveSEN(move.index);
        else if (move.kind == Move_request::Kind::Pct_moveGAM)
            Q_EMIT Pct_moveGAM(move.index);
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
