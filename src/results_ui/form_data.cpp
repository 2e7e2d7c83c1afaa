#include "results_ui/form_data.h"

#include "platform/desktop.h"
#include "platform/window_placement.h"
#include "results_ui/form_klv.h"
#include "results_ui/form_normaldata.h"
#include "shell/app_context.h"
#include "shell/browser_launch.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace results_ui {

namespace {

constexpr int kTop = 26; // below the menu bar
constexpr int kHeight = kTop + 502;

QString indexed(const QString &name, int i)
{
    return name + u'(' + QString::number(i) + u')';
}

} // namespace

Form_Data::Form_Data(shell::AppContext &ctx, scoring::Ana_data data, QWidget *parent)
    : QWidget(parent)
    , m_ctx(ctx)
    , m_data(std::move(data))
    , m_options(ctx.settings)
{
    setObjectName(u"Form_Data"_s);
    setWindowTitle(caption());
    build();
    refresh();
}

Form_Data::~Form_Data()
{
    // The views go with the results screen.
    for (QWidget *view : { static_cast<QWidget *>(m_normal.data()), static_cast<QWidget *>(m_klv.data()) }) {
        if (view)
            shell::Form_menu::closeChild(view);
    }
}

QString Form_Data::caption()
{
    return u"データ処理"_s;
}

QString Form_Data::msgNobodyBowled()
{
    return u"投球されたゲームがありません。"_s + u'\r' + u"記録するデータがないので、計算も記録もできません。"_s;
}

QString Form_Data::msgAbandon()
{
    return u"今まで入力したデータを"_s + u'\r' + u"全部消してメニューへ戻ります。"_s + u'\r' + u"よろしいですか？"_s;
}

bool Form_Data::canCommit() const
{
    return m_committable;
}

Form_NormalDATA *Form_Data::normalView() const
{
    return m_normal;
}

Form_KLV *Form_Data::klvView() const
{
    return m_klv;
}

QGroupBox *Form_Data::makeFrame(const QString &title, const QRect &geometry)
{
    auto *frame = new QGroupBox(title, this);
    frame->setGeometry(geometry.translated(0, kTop));
    return frame;
}

QCheckBox *Form_Data::makeCheck(QWidget *frame, const QString &name, const QString &text, int y)
{
    auto *box = new QCheckBox(text, frame);
    box->setObjectName(name);
    box->setGeometry(12, y, 340, 22);
    return box;
}

QRadioButton *Form_Data::makeOption(QWidget *frame, const QString &name, const QString &text, int y)
{
    auto *option = new QRadioButton(text, frame);
    option->setObjectName(name);
    option->setGeometry(12, y, 340, 22);
    return option;
}

QPushButton *Form_Data::makeButton(const QString &name, const QString &text, const QRect &geometry)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(geometry.translated(0, kTop));
    return b;
}

void Form_Data::build()
{
    buildMenu();

    QGroupBox *show = makeFrame(u"計算後に表示するデータ"_s, { 8, 4, 364, 52 });
    m_chkData[0] = makeCheck(show, indexed(u"Chk_Data"_s, 0), Data_options::Chk_Data_caption(0), 22);
    m_chkData[1] = makeCheck(show, indexed(u"Chk_Data"_s, 1), Data_options::Chk_Data_caption(1), 22);
    m_chkData[0]->setGeometry(12, 22, 150, 22);
    m_chkData[1]->setGeometry(180, 22, 150, 22);

    QGroupBox *rules = makeFrame(u"集計のルール"_s, { 8, 60, 364, 96 });
    m_chkRule = makeCheck(rules, indexed(u"Chk_rule"_s, 0), Data_options::Chk_rule_caption(), 22);
    m_chkStsp = makeCheck(rules, u"Chk_STSP"_s, Data_options::Chk_STSP_caption(), 46);
    m_chkHcp = makeCheck(rules, u"Chk_HCP"_s, Data_options::Chk_HCP_caption(), 70);

    QGroupBox *target = makeFrame(u"入賞・優Ｐの対象"_s, { 8, 160, 364, 96 });
    QGroupBox *calc = makeFrame(u"優Ｐの計算方法"_s, { 8, 260, 364, 96 });
    for (int i = 0; i < 3; ++i) {
        m_optTarget[std::size_t(i)] = makeOption(target, indexed(u"Opt_PntTarget"_s, i),
                                                 m_options.Opt_PntTarget_caption(i), 22 + 24 * i);
        m_optCalc[std::size_t(i)] = makeOption(calc, indexed(u"Opt_PntCalc"_s, i),
                                               Data_options::Opt_PntCalc_caption(i), 22 + 24 * i);
    }

    m_cmdData = makeButton(u"Cmd_Data"_s, u"計算・データ表示 (&D)"_s, { 8, 364, 364, 38 });
    m_cmdFile = makeButton(u"Cmd_File"_s, u"ファイル書き込み・終了 (&C)"_s, { 8, 406, 364, 38 });
    m_cmdBack[0] = makeButton(indexed(u"Cmd_back"_s, 0), u"スコア入力に戻る (&B)"_s, { 8, 448, 364, 30 });
    m_cmdBack[1] = makeButton(indexed(u"Cmd_back"_s, 1), u"今回入力したデータを　消去してメニューに戻る"_s,
                              { 8, 480, 364, 30 });

    // The point boxes of the manual method, beyond the narrow width.
    m_pntFrame = makeFrame(u"優Ｐ（この場で入力）"_s, { 384, 4, 182, 470 });
    for (int i = 0; i < Data_options::pnt_count; ++i) {
        const int column = i / 15;
        const int row = i % 15;
        const int x = 8 + column * 88;
        const int y = 22 + row * 29;
        auto *label = new QLabel(Data_options::Txt_Pnt_label(i), m_pntFrame);
        auto *box = new QLineEdit(m_pntFrame);
        box->setObjectName(indexed(u"Txt_Pnt"_s, i));
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i == Data_options::pnt_count - 1) {
            // "30着       以下" breaks at its blanks into two lines.
            label->setWordWrap(true);
            label->setGeometry(x, y - 6, 40, 36);
        } else {
            label->setGeometry(x, y, 40, 24);
        }
        box->setGeometry(x + 40, y, 40, 24);
        m_txtPnt[std::size_t(i)] = box;
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString &t) { m_options.set_Txt_Pnt(i, t); });
    }

    for (int i = 0; i < 2; ++i) {
        connect(m_chkData[std::size_t(i)], &QCheckBox::toggled, this,
                [this, i](bool on) { m_options.set_Chk_Data(i, on); });
    }
    connect(m_chkRule, &QCheckBox::toggled, this, [this](bool on) { m_options.set_Chk_rule(on); });
    connect(m_chkStsp, &QCheckBox::toggled, this, [this](bool on) { m_options.set_Chk_STSP(on); });
    connect(m_chkHcp, &QCheckBox::toggled, this, [this](bool on) {
        m_options.set_Chk_HCP(on);
        refresh();
    });
    for (int i = 0; i < 3; ++i) {
        connect(m_optTarget[std::size_t(i)], &QRadioButton::clicked, this, [this, i] {
            m_options.choose_PntTarget(i);
            refresh();
        });
        // A click on the chosen button widens the screen again after a
        // calculation narrowed it.
        connect(m_optCalc[std::size_t(i)], &QRadioButton::clicked, this, [this, i] {
            m_options.choose_PntCalc(i);
            refresh();
        });
    }

    connect(m_cmdData, &QPushButton::clicked, this, &Form_Data::Cmd_Data_Click);
    connect(m_cmdBack[0], &QPushButton::clicked, this, [this] { Cmd_back_Click(0); });
    connect(m_cmdBack[1], &QPushButton::clicked, this, [this] { Cmd_back_Click(1); });

    setCommitEnabled(false);
}

void Form_Data::buildMenu()
{
    auto *bar = new QMenuBar(this);
    bar->setGeometry(0, 0, platform::twipsToPixels(Data_options::wide_width), 24);
    QMenu *file = bar->addMenu(u"ファイル(&F)"_s);
    file->setObjectName(u"menu_file"_s);
    auto entry = [file](const QString &name, const QString &text) {
        QAction *a = file->addAction(text);
        a->setObjectName(name);
        return a;
    };
    m_menuCalc = entry(u"menu_calc"_s, u"計算・データ表示(&C)"_s);
    m_menuSave = entry(u"menu_save"_s, u"セーブして終了(&S)"_s);
    file->addSeparator();
    m_menuBack = entry(u"menu_back"_s, u"スコア入力に戻る(&B)"_s);
    m_menuClear = entry(u"menu_clear"_s, u"セーブせずに終了(&X)"_s);
    QAction *help = bar->addAction(u"ヘルプ(&H)"_s);
    help->setObjectName(u"menu_h"_s);

    connect(m_menuCalc, &QAction::triggered, this, &Form_Data::Cmd_Data_Click);
    connect(m_menuBack, &QAction::triggered, this, [this] { Cmd_back_Click(0); });
    connect(m_menuClear, &QAction::triggered, this, [this] { Cmd_back_Click(1); });
    connect(help, &QAction::triggered, this, &Form_Data::menu_h_Click);
}

void Form_Data::refresh()
{
    for (int i = 0; i < 2; ++i) {
        const QSignalBlocker block(m_chkData[std::size_t(i)]);
        m_chkData[std::size_t(i)]->setChecked(m_options.Chk_Data(i));
    }
    for (auto [box, on] : { std::pair { m_chkRule, m_options.Chk_rule() }, std::pair { m_chkStsp, m_options.Chk_STSP() },
                            std::pair { m_chkHcp, m_options.Chk_HCP() } }) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    }
    for (int i = 0; i < 3; ++i) {
        m_optTarget[std::size_t(i)]->setText(m_options.Opt_PntTarget_caption(i));
        m_optTarget[std::size_t(i)]->setChecked(m_options.PntTarget() == i);
        m_optCalc[std::size_t(i)]->setChecked(m_options.PntCalc() == i);
    }
    for (int i = 0; i < Data_options::pnt_count; ++i) {
        if (m_txtPnt[std::size_t(i)]->text() != m_options.Txt_Pnt(i))
            m_txtPnt[std::size_t(i)]->setText(m_options.Txt_Pnt(i));
    }
    applyWidth();
}

void Form_Data::applyWidth()
{
    const int width = platform::twipsToPixels(m_options.width());
    if (this->width() == width && height() == kHeight)
        return;
    setFixedSize(width, kHeight);
    // A fixed child window takes the size of its screen.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        frame->setMinimumSize(0, 0);
        frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        frame->adjustSize();
        frame->setFixedSize(frame->sizeHint());
    }
}

void Form_Data::setCommitEnabled(bool on)
{
    m_committable = on;
    // The commit itself comes with the database layer of the results.
    m_cmdFile->setEnabled(false);
    m_menuSave->setEnabled(false);
    // The calculation comes with the results library.
    m_cmdData->setEnabled(false);
    m_menuCalc->setEnabled(false);
}

void Form_Data::Cmd_Data_Click()
{
}

void Form_Data::Cmd_back_Click(int index)
{
    if (index == 0) {
        closeScreens();
        Q_EMIT back_requested();
        return;
    }
    platform::Message question;
    question.text = msgAbandon();
    question.buttons = platform::Buttons::YesNo;
    question.icon = platform::Icon::Warning;
    question.defaultButton = 1;
    if (m_ctx.desktop.message(question) != platform::Answer::Yes)
        return;
    closeScreens();
    showMainMenu();
    Q_EMIT abandoned();
}

void Form_Data::menu_h_Click()
{
    shell::BrowserLaunch::openHelp(m_ctx, u"tokei"_s);
}

void Form_Data::closeScreens()
{
    for (QWidget *view : { static_cast<QWidget *>(m_normal.data()), static_cast<QWidget *>(m_klv.data()) }) {
        if (view)
            shell::Form_menu::closeChild(view);
    }
    shell::Form_menu::closeChild(this);
}

void Form_Data::showMainMenu()
{
    if (!m_ctx.menu)
        return;
    if (shell::Form_Start *start = m_ctx.menu->mainMenu(); start && start->frame()) {
        start->frame()->show();
        // Made the active window again so that it shows its count afresh.
        m_ctx.menu->mdiArea()->setActiveSubWindow(start->frame());
    }
}

} // namespace results_ui
