#include "entry/form_main.h"

#include "config/settings.h"
#include "config/settings_store.h"
#include "entry/pin_diagram.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

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
    : QWidget(parent), controller_(night, desktop, std::move(marks))
{
    setObjectName(u"form_main"_s);
    controller_.set_pin_keypad_available(true);
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

    build_pin_keypad(pad_x, sheet_y);

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

// The pin keypad in the place of the mark keypad: the ten pins as a triangle
// with pin 1 at the front, the strike, gutter, foul, miss and clear buttons,
// the frame moves and OK.
void form_main::build_pin_keypad(int x, int y)
{
    pin_keypad_ = new QWidget(this);
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
