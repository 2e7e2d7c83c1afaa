#include "setup/form_siai.h"

#include "config/settings.h"
#include "platform/desktop.h"
#include "setup/recordset_model.h"
#include "shell/app_context.h"
#include "shell/browser_launch.h"
#include "shell/form_menu.h"
#include "shell/form_start.h"
#include "store/recordset.h"

#include <QAction>
#include <QDate>
#include <QEvent>
#include <QHeaderView>
#include <QIntValidator>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace setup {

namespace {

constexpr int kTop = 30; // below the menu bar

QString indexed(const QString &name, int i)
{
    return name + u'(' + QString::number(i) + u')';
}

// Sets a scroll bar from a box's number when it lies in the bar's range. A
// bar whose upper arrow raises the value holds the number negated (sign -1).
void follow(QScrollBar *bar, const QString &text, int sign = 1)
{
    const double v = sign * SiaiController::val(text);
    if (v >= bar->minimum() && v <= bar->maximum()) {
        const QSignalBlocker block(bar);
        bar->setValue(int(v));
    }
}

void setText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

Form_Siai::Form_Siai(shell::AppContext &ctx, std::function<void()> openParticipants, QWidget *parent)
    : QWidget(parent)
    , m_ctx(ctx)
    , m_ctl(ctx.db, ctx.desktop, ctx.match, *ctx.night)
    , m_openParticipants(std::move(openParticipants))
{
    setObjectName(u"Form_Siai"_s);
    setWindowTitle(caption());
    m_ctl.load(ctx.settings.max_game);
    build();
    refresh();
}

Form_Siai::~Form_Siai() = default;

QString Form_Siai::caption()
{
    return u"試合データ設定"_s;
}

QLineEdit *Form_Siai::makeBox(const QString &name, const QRect &geometry)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(geometry.translated(0, kTop));
    return box;
}

QPushButton *Form_Siai::makeButton(const QString &name, const QString &text, const QRect &geometry)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(geometry.translated(0, kTop));
    return b;
}

QLabel *Form_Siai::makeLabel(const QString &text, const QRect &geometry)
{
    auto *l = new QLabel(text, this);
    l->setGeometry(geometry.translated(0, kTop));
    return l;
}

QTableView *Form_Siai::makeGrid(const QString &name, RecordsetModel *model, const QRect &geometry)
{
    auto *grid = new QTableView(this);
    grid->setObjectName(name);
    grid->setGeometry(geometry.translated(0, kTop));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->verticalHeader()->setFixedWidth(18);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->installEventFilter(this);
    model->setOnError([this](const QString &text) { m_ctx.desktop.message(text); });
    return grid;
}

void Form_Siai::build()
{
    auto *bar = new QMenuBar(this);
    bar->setGeometry(0, 0, 662, 24);
    buildMenu(bar);

    m_cmdNew = makeButton(u"Cmd_New"_s, u"新しい試合の登録   (&New Game)"_s, { 12, 0, 300, 32 });
    makeLabel(u"通算試合ID"_s, { 330, 4, 86, 24 });
    m_txtSiai[0] = makeBox(indexed(u"Txt_Siai"_s, 0), { 416, 4, 74, 24 });

    makeLabel(u"シーズン"_s, { 12, 44, 120, 22 });
    makeLabel(u"シーズンID"_s, { 222, 44, 80, 22 });
    m_txtSiai[1] = makeBox(indexed(u"Txt_Siai"_s, 1), { 302, 42, 70, 24 });
    m_txtSiai[1]->setReadOnly(true);
    m_seasonModel = new RecordsetModel(m_ctl.seasons(), { u"シーズンID"_s, u"シーズン時期"_s, u"シーズン名"_s },
                                       { u"シーズンID"_s, u"シーズン時期"_s, u"シーズン名"_s }, { 1, 2 }, this);
    m_grid1 = makeGrid(u"DBGrid1"_s, m_seasonModel, { 12, 70, 360, 170 });
    m_grid1->setColumnWidth(0, 80);
    m_grid1->setColumnWidth(1, 110);

    m_cmdAdd[0] = makeButton(indexed(u"Cmd_ADD"_s, 0), u"シーズン追加"_s, { 12, 246, 110, 28 });
    m_txtAdd[0] = makeBox(indexed(u"Txt_ADD"_s, 0), { 128, 248, 170, 24 });
    m_cmdAddOk[0] = makeButton(indexed(u"Cmd_Add_OK"_s, 0), u"Ｏ Ｋ"_s, { 304, 246, 68, 28 });

    makeLabel(u"シーズン中の試合番号　第"_s, { 12, 290, 172, 24 });
    m_txtSiai[6] = makeBox(indexed(u"Txt_Siai"_s, 6), { 186, 290, 54, 24 });
    makeLabel(u"試合"_s, { 246, 290, 40, 24 });
    m_hsc = new QScrollBar(Qt::Horizontal, this);
    m_hsc->setObjectName(u"HSc_Siai"_s);
    m_hsc->setGeometry(12, kTop + 320, 274, 18);
    m_hsc->setRange(1, 999);
    m_hsc->setPageStep(10);

    makeLabel(u"試合日"_s, { 12, 348, 60, 24 });
    const std::array<QRect, 3> dateBoxes { QRect(12, 374, 56, 26), QRect(118, 374, 36, 26), QRect(204, 374, 36, 26) };
    const std::array<QString, 3> units { u"年"_s, u"月"_s, u"日"_s };
    const std::array<std::pair<int, int>, 3> ranges { std::pair { 2000, 2099 }, std::pair { 1, 12 }, std::pair { 1, 31 } };
    for (int i = 0; i < 3; ++i) {
        m_txtSiai[2 + i] = makeBox(indexed(u"Txt_Siai"_s, 2 + i), dateBoxes[i]);
        auto *v = new QScrollBar(Qt::Vertical, this);
        v->setObjectName(indexed(u"VSc_ymd"_s, i));
        v->setGeometry(dateBoxes[i].right() + 2, kTop + 370, 16, 34);
        // The upper arrow raises the value: the bar runs over the negated range.
        v->setRange(-ranges[i].second, -ranges[i].first);
        m_vsc[i] = v;
        makeLabel(units[i], { dateBoxes[i].right() + 22, 374, 24, 26 });
    }

    makeLabel(u"会 場"_s, { 390, 44, 50, 22 });
    m_txtSiai[5] = makeBox(indexed(u"Txt_Siai"_s, 5), { 444, 42, 60, 24 });
    m_txtSiai[5]->setReadOnly(true);
    m_venueModel = new RecordsetModel(m_ctl.venues(), { u"会場ID"_s, u"会場名"_s }, { u"会場ID"_s, u"会場名"_s }, { 1 },
                                      this);
    m_grid2 = makeGrid(u"DBGrid2"_s, m_venueModel, { 390, 70, 260, 170 });
    m_grid2->setColumnWidth(0, 70);

    m_cmdAdd[1] = makeButton(indexed(u"Cmd_ADD"_s, 1), u"会場追加"_s, { 390, 246, 100, 28 });
    m_txtAdd[1] = makeBox(indexed(u"Txt_ADD"_s, 1), { 496, 248, 100, 24 });
    m_cmdAddOk[1] = makeButton(indexed(u"Cmd_Add_OK"_s, 1), u"Ｏ Ｋ"_s, { 600, 246, 50, 28 });

    m_cmdOk = makeButton(u"Cmd_siaiOK"_s, u"試合日設定ＯＫ (&Go)"_s, { 390, 330, 260, 38 });
    m_cmdBack = makeButton(u"Cmd_back"_s, u"戻　る (&C)"_s, { 390, 376, 260, 30 });

    // The boxes that follow the venue row; not shown.
    m_txtKaijo[0] = makeBox(indexed(u"txt_Kaijo"_s, 0), { 0, 0, 10, 10 });
    m_txtKaijo[1] = makeBox(indexed(u"txt_Kaijo"_s, 1), { 0, 0, 10, 10 });
    m_txtSiai[7] = makeBox(indexed(u"Txt_Siai"_s, 7), { 0, 0, 10, 10 });
    for (QLineEdit *hidden : { m_txtKaijo[0], m_txtKaijo[1], m_txtSiai[7] })
        hidden->hide();

    setFixedSize(662, kTop + 418);

    // Typed text goes to the controller; the scroll bars follow it.
    connect(m_txtSiai[0], &QLineEdit::textEdited, this, [this](const QString &t) { m_ctl.setSiaiIdText(t); });
    connect(m_txtSiai[2], &QLineEdit::textEdited, this, [this](const QString &t) {
        m_ctl.setYearText(t);
        follow(m_vsc[0], t, -1);
    });
    connect(m_txtSiai[3], &QLineEdit::textEdited, this, [this](const QString &t) {
        m_ctl.setMonthText(t);
        follow(m_vsc[1], t, -1);
    });
    connect(m_txtSiai[4], &QLineEdit::textEdited, this, [this](const QString &t) {
        m_ctl.setDayText(t);
        follow(m_vsc[2], t, -1);
    });
    connect(m_txtSiai[6], &QLineEdit::textEdited, this, [this](const QString &t) {
        m_ctl.setMatchNoText(t);
        follow(m_hsc, t);
    });
    connect(m_hsc, &QScrollBar::valueChanged, this, [this](int v) {
        m_ctl.scrollMatchNo(v);
        refresh();
    });
    connect(m_vsc[0], &QScrollBar::valueChanged, this, [this](int v) {
        m_ctl.scrollYear(-v);
        refresh();
    });
    connect(m_vsc[1], &QScrollBar::valueChanged, this, [this](int v) {
        m_ctl.scrollMonth(-v);
        refresh();
    });
    connect(m_vsc[2], &QScrollBar::valueChanged, this, [this](int v) {
        m_ctl.scrollDay(-v);
        refresh();
    });

    connect(m_cmdNew, &QPushButton::clicked, this, &Form_Siai::Cmd_New_Click);
    connect(m_cmdOk, &QPushButton::clicked, this, &Form_Siai::Cmd_siaiOK_Click);
    connect(m_cmdBack, &QPushButton::clicked, this, &Form_Siai::Cmd_back_Click);
    for (int i = 0; i < 2; ++i) {
        connect(m_cmdAdd[i], &QPushButton::clicked, this, [this, i] { Cmd_ADD_Click(i); });
        connect(m_cmdAddOk[i], &QPushButton::clicked, this, [this, i] { Cmd_Add_OK_Click(i); });
        connect(m_txtAdd[i], &QLineEdit::returnPressed, this, [this, i] { Cmd_Add_OK_Click(i); });
    }

    connect(m_grid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_refreshing || !current.isValid())
                    return;
                m_ctl.setSeasonRow(current.row());
                refresh();
            });
    connect(m_grid2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_refreshing || !current.isValid())
                    return;
                m_ctl.setVenueRow(current.row());
                refresh();
            });
    // A name changed in place shows in the boxes that follow the row.
    connect(m_venueModel, &QAbstractItemModel::dataChanged, this, [this] {
        m_ctl.setVenueRow(m_ctl.venueRow());
        refresh();
    });
}

void Form_Siai::buildMenu(QMenuBar *bar)
{
    QMenu *file = bar->addMenu(u"ファイル(&F)"_s);
    file->setObjectName(u"menu_file"_s);
    auto entry = [file](const QString &name, const QString &text) {
        QAction *a = file->addAction(text);
        a->setObjectName(name);
        return a;
    };
    m_menuNew = entry(u"menu_newgame"_s, u"新しい試合の登録(&N)"_s);
    m_menuOk = entry(u"menu_ok"_s, u"試合日設定ＯＫ(&G)"_s);
    file->addSeparator();
    m_menuSeason = entry(u"menu_season"_s, u"シーズン追加(&S)"_s);
    m_menuKaijo = entry(u"menu_kaijo"_s, u"会場追加(&K)"_s);
    file->addSeparator();
    m_menuBack = entry(u"menu_back"_s, u"メニューに戻る(&B)"_s);
    QAction *help = bar->addAction(u"ヘルプ(&H)"_s);
    help->setObjectName(u"menu_help"_s);

    connect(m_menuNew, &QAction::triggered, this, &Form_Siai::Cmd_New_Click);
    connect(m_menuOk, &QAction::triggered, this, &Form_Siai::Cmd_siaiOK_Click);
    connect(m_menuSeason, &QAction::triggered, this, [this] { Cmd_ADD_Click(0); });
    connect(m_menuKaijo, &QAction::triggered, this, [this] { Cmd_ADD_Click(1); });
    connect(m_menuBack, &QAction::triggered, this, &Form_Siai::Cmd_back_Click);
    connect(help, &QAction::triggered, this, &Form_Siai::menu_help_Click);
}

void Form_Siai::refresh()
{
    m_refreshing = true;
    const bool newMatch = m_ctl.state() == SiaiController::State::NewMatch;
    const bool adding = m_ctl.isAddingAny();

    setText(m_txtSiai[0], m_ctl.siaiIdText());
    setText(m_txtSiai[1], m_ctl.seasonIdText());
    setText(m_txtSiai[2], m_ctl.yearText());
    setText(m_txtSiai[3], m_ctl.monthText());
    setText(m_txtSiai[4], m_ctl.dayText());
    setText(m_txtSiai[5], m_ctl.venueIdText());
    setText(m_txtSiai[6], m_ctl.matchNoText());
    setText(m_txtSiai[7], m_ctl.venueIdText());
    setText(m_txtKaijo[0], m_ctl.venueIdText());
    setText(m_txtKaijo[1], m_ctl.venueNameText());
    follow(m_hsc, m_ctl.matchNoText());
    follow(m_vsc[0], m_ctl.yearText(), -1);
    follow(m_vsc[1], m_ctl.monthText(), -1);
    follow(m_vsc[2], m_ctl.dayText(), -1);

    m_cmdNew->setEnabled(!newMatch);
    m_menuNew->setEnabled(!newMatch);
    m_cmdOk->setEnabled(newMatch && !adding);
    m_menuOk->setEnabled(newMatch && !adding);
    for (int i : { 0, 1, 2, 3, 4, 5, 6 })
        m_txtSiai[i]->setEnabled(newMatch);
    m_hsc->setEnabled(newMatch);
    for (QScrollBar *v : m_vsc)
        v->setEnabled(newMatch);

    m_grid1->setEnabled(!adding);
    m_grid2->setEnabled(!adding);
    for (int i = 0; i < 2; ++i) {
        const bool on = m_ctl.isAdding(SiaiController::Addition(i));
        m_txtAdd[i]->setVisible(on);
        m_cmdAddOk[i]->setVisible(on);
        m_cmdAdd[i]->setEnabled(!on);
    }
    m_menuSeason->setEnabled(!m_ctl.isAdding(SiaiController::Addition::Season));
    m_menuKaijo->setEnabled(!m_ctl.isAdding(SiaiController::Addition::Venue));

    auto place = [](QTableView *grid, int row) {
        if (row < 0 || row >= grid->model()->rowCount())
            return;
        const QModelIndex current = grid->currentIndex();
        if (!current.isValid() || current.row() != row)
            grid->setCurrentIndex(grid->model()->index(row, current.isValid() ? current.column() : 0));
    };
    if (!adding) {
        place(m_grid1, m_ctl.seasonRow());
        place(m_grid2, m_ctl.venueRow());
    }
    m_refreshing = false;
}

void Form_Siai::reloadGrids()
{
    m_refreshing = true;
    m_seasonModel->reload();
    m_venueModel->reload();
    m_refreshing = false;
}

void Form_Siai::focusBox(SiaiController::Box box)
{
    QLineEdit *target = nullptr;
    switch (box) {
    case SiaiController::Box::SiaiId:
        target = m_txtSiai[0];
        break;
    case SiaiController::Box::MatchNo:
        target = m_txtSiai[6];
        break;
    case SiaiController::Box::Month:
        target = m_txtSiai[3];
        break;
    case SiaiController::Box::AddSeason:
        target = m_txtAdd[0];
        break;
    case SiaiController::Box::AddVenue:
        target = m_txtAdd[1];
        break;
    case SiaiController::Box::None:
        break;
    }
    if (target) {
        target->setFocus();
        target->selectAll();
    }
}

void Form_Siai::Cmd_New_Click()
{
    if (m_ctl.state() == SiaiController::State::NewMatch)
        return;
    m_ctl.newMatch(QDate::currentDate());
    refresh();
    m_txtSiai[0]->setFocus();
}

void Form_Siai::Cmd_siaiOK_Click()
{
    if (m_ctl.state() != SiaiController::State::NewMatch || m_ctl.isAddingAny())
        return;
    if (!m_ctl.confirm()) {
        refresh();
        focusBox(m_ctl.focusBox());
        return;
    }
    // This window goes with its frame; keep what runs afterwards.
    const std::function<void()> next = m_openParticipants;
    shell::AppContext &ctx = m_ctx;
    closeScreen();
    if (next) {
        next();
    } else {
        showMainMenu(ctx);
    }
}

void Form_Siai::Cmd_ADD_Click(int index)
{
    const auto what = SiaiController::Addition(index);
    if (m_ctl.isAdding(what))
        return;
    m_ctl.startAdd(what);
    m_txtAdd[index]->clear();
    refresh();
    focusBox(m_ctl.focusBox());
}

void Form_Siai::Cmd_Add_OK_Click(int index)
{
    const auto what = SiaiController::Addition(index);
    if (!m_ctl.isAdding(what))
        return;
    if (!m_ctl.confirmAdd(what, m_txtAdd[index]->text())) {
        focusBox(m_ctl.focusBox());
        return;
    }
    reloadGrids();
    refresh();
}

void Form_Siai::Cmd_back_Click()
{
    shell::AppContext &ctx = m_ctx;
    closeScreen();
    showMainMenu(ctx);
}

void Form_Siai::menu_help_Click()
{
    shell::BrowserLaunch::openHelp(m_ctx, u"siai"_s);
}

void Form_Siai::closeScreen()
{
    // An addition left open is dropped.
    for (store::Recordset *rs : { &m_ctl.seasons(), &m_ctl.venues() }) {
        if (rs->editMode() != store::Recordset::EditMode::None)
            rs->cancelUpdate();
    }
    shell::Form_menu::closeChild(this);
}

void Form_Siai::showMainMenu(shell::AppContext &ctx)
{
    if (ctx.menu) {
        if (shell::Form_Start *start = ctx.menu->mainMenu(); start && start->frame()) {
            start->frame()->show();
            // Made the active window again so that it shows its count afresh.
            ctx.menu->mdiArea()->setActiveSubWindow(start->frame());
        }
    }
}

bool Form_Siai::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the season list looks up the match number of its row again.
    if (watched == m_grid1 && event->type() == QEvent::FocusOut && !m_ctl.isAddingAny()) {
        m_ctl.setSeasonRow(m_ctl.seasonRow());
        refresh();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace setup
