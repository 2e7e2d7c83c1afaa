#include "results_ui/form_normaldata.h"

#include "shell/form_menu.h"

#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace results_ui {

namespace {

constexpr int kTop = 26; // below the menu bar
constexpr int kFrameWidth = 340;
constexpr int kFrameHeight = 54;
constexpr int kListTop = 30; // first line of the Best 10 list inside Frame1

QString indexed(const QString &name, int i)
{
    return name + u'(' + QString::number(i) + u')';
}

QString joinLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + u'\n';
    return text;
}

} // namespace

Form_NormalDATA::Form_NormalDATA(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"Form_NormalDATA"_s);
    setWindowTitle(caption());
    build();
}

QString Form_NormalDATA::caption()
{
    return u"一般的な表彰データ"_s;
}

QString Form_NormalDATA::frame_caption(int index)
{
    static const std::array<QString, Award_view_data::award_count> captions {
        u"トップ賞（ハンデ込み最高点）"_s, u"ハイゲーム（ハンデ無し最高点）"_s, u"最多ストライク"_s,
        u"最多スペア"_s, u"アベレージ賞"_s, u"ブービー賞"_s,
    };
    return captions.at(std::size_t(index));
}

QString Form_NormalDATA::unit_label(int index)
{
    return index == 2 || index == 3 ? u"さん　　　　　 個"_s : u"さん　　　　　 点"_s;
}

void Form_NormalDATA::build()
{
    auto *bar = new QMenuBar(this);
    bar->setGeometry(0, 0, 600, 24);
    QAction *off = bar->addAction(u"閉じる(&X)"_s);
    off->setObjectName(u"menu_off"_s);
    connect(off, &QAction::triggered, this, &Form_NormalDATA::Cmd_OK_Click);

    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(font());

    for (int i = 0; i < Award_view_data::award_count; ++i) {
        auto *frame = new QGroupBox(frame_caption(i), this);
        frame->setObjectName(indexed(u"Frm"_s, i));
        frame->setGeometry(8, kTop + 4 + i * (kFrameHeight + 4), kFrameWidth, kFrameHeight);

        auto *name = new QLineEdit(frame);
        name->setObjectName(indexed(u"Txt_Name"_s, i));
        name->setReadOnly(true);
        name->setGeometry(10, 22, 118, 24);
        m_txtName[std::size_t(i)] = name;

        // The label runs behind the figure box: the box covers its blanks.
        auto *unit = new QLabel(unit_label(i), frame);
        const int unitX = 132;
        unit->setGeometry(unitX, 22, fm.horizontalAdvance(unit_label(i)) + 4, 24);
        auto *ten = new QLineEdit(frame);
        ten->setObjectName(indexed(u"Txt_Ten"_s, i));
        ten->setReadOnly(true);
        ten->setFont(bold);
        ten->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int tenX = unitX + fm.horizontalAdvance(u"さん"_s) + 4;
        const int tenWidth = fm.horizontalAdvance(u"　　　　　"_s) - 4;
        ten->setGeometry(tenX, 22, tenWidth, 24);
        m_txtTen[std::size_t(i)] = ten;

        if (i < Award_view_data::best10_count) {
            auto *b10 = new QPushButton(u"Best10"_s, frame);
            b10->setObjectName(indexed(u"Cmd_B10"_s, i));
            b10->setGeometry(kFrameWidth - 70, 20, 62, 28);
            connect(b10, &QPushButton::clicked, this, [this, i] { Cmd_B10_Click(i); });
            m_cmdB10[std::size_t(i)] = b10;
        }
    }

    const int listHeight = 6 * (kFrameHeight + 4) - 4;
    auto *frame1 = new QGroupBox(u" 各賞の Best 10 "_s, this);
    frame1->setObjectName(u"Frame1"_s);
    frame1->setGeometry(kFrameWidth + 16, kTop + 4, 250, listHeight);

    // Row numbers and the two lists share one line spacing, so row k of the
    // lists stands beside number k.
    auto *numbers = new QLabel(frame1);
    numbers->setObjectName(u"Label2"_s);
    QStringList rows;
    for (const QString &n : { u"１"_s, u"２"_s, u"３"_s, u"４"_s, u"５"_s, u"６"_s, u"７"_s, u"８"_s, u"９"_s, u"10"_s })
        rows << n;
    numbers->setText(rows.join(u'\n'));
    numbers->setAlignment(Qt::AlignRight | Qt::AlignTop);
    for (int k = 0; k < 2; ++k) {
        auto *list = new QPlainTextEdit(frame1);
        list->setObjectName(indexed(u"Txt_B10"_s, k));
        list->setReadOnly(true);
        list->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_txtB10[std::size_t(k)] = list;
    }
    m_txtB10[0]->setGeometry(34, kListTop, 120, listHeight - kListTop - 10);
    m_txtB10[1]->setGeometry(158, kListTop, 80, listHeight - kListTop - 10);
    // Inside a text box the first line starts below its frame and document
    // margin.
    const int inset = m_txtB10[0]->frameWidth() + int(m_txtB10[0]->document()->documentMargin());
    numbers->setGeometry(6, kListTop + inset, 24, fm.lineSpacing() * 10 + 4);

    auto *ok = new QPushButton(u"閉じる (&C)"_s, this);
    ok->setObjectName(u"Cmd_OK"_s);
    ok->setGeometry(kFrameWidth + 16, kTop + 4 + listHeight + 8, 250, 32);
    connect(ok, &QPushButton::clicked, this, &Form_NormalDATA::Cmd_OK_Click);

    setFixedSize(kFrameWidth + 16 + 250 + 8, kTop + 4 + listHeight + 8 + 32 + 8);
}

void Form_NormalDATA::show_results(const Award_view_data &data)
{
    m_data = data;
    for (int i = 0; i < Award_view_data::award_count; ++i) {
        m_txtName[std::size_t(i)]->setText(data.names[std::size_t(i)]);
        m_txtTen[std::size_t(i)]->setText(data.figures[std::size_t(i)]);
    }
    for (QPlainTextEdit *list : m_txtB10)
        list->clear();
}

void Form_NormalDATA::Cmd_B10_Click(int award)
{
    if (award < 0 || award >= Award_view_data::best10_count)
        return;
    m_txtB10[0]->setPlainText(joinLines(m_data.best10_names[std::size_t(award)]));
    m_txtB10[1]->setPlainText(joinLines(m_data.best10_figures[std::size_t(award)]));
}

void Form_NormalDATA::Cmd_OK_Click()
{
    shell::Form_menu::closeChild(this);
}

} // namespace results_ui
