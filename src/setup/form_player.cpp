#include "setup/form_player.h"

#include "platform/window_placement.h"
#include "setup/recordset_model.h"
#include "shell/app_context.h"
#include "shell/browser_launch.h"
#include "store/recordset.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMetaMethod>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace setup {

namespace {

constexpr int kTop = 26;    // below the menu bar
constexpr int kWidth = 676; // the window's inner width
constexpr int kRowHeight = 22;
const QColor kHeaderBack(0xC0, 0xC0, 0xC0);
const QColor kHighlight(0x00, 0xFF, 0xFF); // light cyan, colour 11 of the 16-colour table

QString indexed(const QString &name, int i)
{
    return name + u'(' + QString::number(i) + u')';
}

void setText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

// A scroll bar whose upper arrow raises the value runs over the negated range.
void setBar(QScrollBar *bar, int value)
{
    const QSignalBlocker block(bar);
    bar->setValue(-value);
}

// Sets a scroll bar from a typed number when it lies in the bar's range.
void follow(QScrollBar *bar, const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok && -v >= bar->minimum() && -v <= bar->maximum())
        setBar(bar, v);
}

// The pictures of Pct_ADD (an arrow into the chart) and Pct_can (a cross).
QIcon picture(bool add)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (add) {
        QPainterPath arrow;
        arrow.moveTo(3, 16);
        arrow.lineTo(15, 4);
        arrow.lineTo(15, 11);
        arrow.lineTo(29, 11);
        arrow.lineTo(29, 21);
        arrow.lineTo(15, 21);
        arrow.lineTo(15, 28);
        arrow.closeSubpath();
        p.fillPath(arrow, QColor(0x00, 0x80, 0x00));
        p.setPen(QPen(Qt::black, 1));
        p.drawPath(arrow);
    } else {
        p.setPen(QPen(QColor(0xC0, 0x00, 0x00), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(7, 7, 25, 25);
        p.drawLine(25, 7, 7, 25);
    }
    return QIcon(pm);
}

} // namespace

Form_Player::Form_Player(shell::AppContext &ctx, QWidget *parent)
    : QWidget(parent)
    , m_ctx(ctx)
    , m_ctl(ctx.db, ctx.desktop, ctx.match, *ctx.night)
{
    setObjectName(u"Form_Player"_s);
    setWindowTitle(caption());
    m_ctl.load();
    build();
    refresh();
}

Form_Player::~Form_Player() = default;

QString Form_Player::caption()
{
    return u"出場選手登録"_s;
}

QLineEdit *Form_Player::makeBox(const QString &name, const QRect &geometry)
{
    auto *box = new QLineEdit(m_entryArea);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->installEventFilter(this);
    return box;
}

QPushButton *Form_Player::makeButton(const QString &name, const QString &text, const QRect &geometry)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(geometry.translated(0, kTop));
    return b;
}

QLabel *Form_Player::makeLabel(const QString &text, const QRect &geometry)
{
    auto *l = new QLabel(text, m_entryArea);
    l->setGeometry(geometry);
    return l;
}

void Form_Player::build()
{
    auto *bar = new QMenuBar(this);
    bar->setGeometry(0, 0, kWidth, 24);
    m_menuScore = bar->addAction(u"スコア入力(&I)"_s);
    m_menuScore->setObjectName(u"menu_score"_s);
    QAction *help = bar->addAction(u"ヘルプ(&H)"_s);
    help->setObjectName(u"menu_h"_s);
    connect(m_menuScore, &QAction::triggered, this, &Form_Player::Cmd_InpMARK_Click);
    connect(help, &QAction::triggered, this, &Form_Player::menu_h_Click);

    // The lane chart: row 0 and column 0 are its header cells.
    m_grid = new QTableWidget(this);
    m_grid->setObjectName(u"Grd_LN"_s);
    m_grid->setGeometry(8, kTop + 6, 2 + platform::twipsToPixels(500) + 6 * platform::twipsToPixels(850),
                        2 + 7 * kRowHeight);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setWordWrap(false);
    m_grid->setTextElideMode(Qt::ElideNone);
    m_grid->installEventFilter(this);
    auto choose = [this](int row, int col) {
        if (m_refreshing)
            return;
        m_ctl.selectCell(row, col);
        refreshChart();
    };
    connect(m_grid, &QTableWidget::cellClicked, this, choose);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [choose](int row, int col, int, int) { choose(row, col); });

    // The pictures between the chart and the list.
    m_pctAdd = makeButton(u"Pct_ADD"_s, QString(), { 393, 36, 48, 44 });
    m_pctAdd->setIcon(picture(true));
    m_pctAdd->setIconSize({ 32, 32 });
    m_pctAdd->setToolTip(u"選んだ選手をレーンの枠に入れます"_s);
    m_pctCan = makeButton(u"Pct_can"_s, QString(), { 393, 96, 48, 44 });
    m_pctCan->setIcon(picture(false));
    m_pctCan->setIconSize({ 32, 32 });
    m_pctCan->setToolTip(u"レーンの枠を空けます"_s);
    connect(m_pctAdd, &QPushButton::clicked, this, &Form_Player::Pct_ADD_Click);
    connect(m_pctCan, &QPushButton::clicked, this, &Form_Player::Pct_can_Click);

    // The player list.
    m_playerModel = new RecordsetModel(m_ctl.players(), { u"選手ID"_s, u"選手名"_s }, { u"ID"_s, u"選手名"_s }, {}, this);
    m_list = new QTableView(this);
    m_list->setObjectName(u"DBG_SENSYU"_s);
    m_list->setGeometry(449, kTop + 6, 220, 2 + 7 * kRowHeight);
    m_list->setModel(m_playerModel);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_list->verticalHeader()->setFixedWidth(14);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 46);
    m_list->installEventFilter(this);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_refreshing || !current.isValid())
                    return;
                m_ctl.setPlayerRow(current.row());
                refresh();
            });
    connect(m_list, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        m_ctl.setPlayerRow(index.row());
        Pct_ADD_Click();
    });

    m_cmdNew = makeButton(u"Cmd_newPlayer"_s, u"新人選手追加"_s, { 8, 166, 150, 28 });
    m_cmdInp = makeButton(u"Cmd_InpMARK"_s, u"スコア入力へ"_s, { 449, 166, 220, 28 });
    connect(m_cmdNew, &QPushButton::clicked, this, &Form_Player::Cmd_newPlayer_Click);
    connect(m_cmdInp, &QPushButton::clicked, this, &Form_Player::Cmd_InpMARK_Click);

    // The entry area, below the normal window.
    m_entryArea = new QWidget(this);
    m_entryArea->setObjectName(u"entry_area"_s);
    m_entryArea->setGeometry(0, kTop + 200, kWidth, 140);
    makeLabel(u"選手ID"_s, { 12, 8, 56, 24 });
    m_txtId = makeBox(u"Txt_ID"_s, { 70, 8, 80, 24 });
    m_vsc[0] = new QScrollBar(Qt::Vertical, m_entryArea);
    m_vsc[0]->setObjectName(indexed(u"VSc_Sen"_s, 0));
    m_vsc[0]->setGeometry(152, 4, 16, 32);
    m_vsc[0]->setRange(-PlayerController::id_max, -PlayerController::id_min);
    m_vsc[0]->setPageStep(10);
    makeLabel(u"選手名"_s, { 12, 44, 56, 24 });
    m_txtName = makeBox(u"Txt_NAME"_s, { 70, 44, 240, 24 });
    makeLabel(u"ハンデ"_s, { 12, 80, 56, 24 });
    m_txtHcp = makeBox(indexed(u"Txt_HCP"_s, 0), { 70, 80, 80, 24 });
    m_vsc[1] = new QScrollBar(Qt::Vertical, m_entryArea);
    m_vsc[1]->setObjectName(indexed(u"VSc_Sen"_s, 1));
    m_vsc[1]->setGeometry(152, 76, 16, 32);
    m_vsc[1]->setRange(-PlayerController::hcp_max, -PlayerController::hcp_min);
    m_vsc[1]->setPageStep(10);
    for (int i = 0; i < 2; ++i) {
        m_cmdOk[i] = new QPushButton(u"入　力"_s, m_entryArea);
        m_cmdOk[i]->setObjectName(indexed(u"Cmd_OK"_s, i));
        m_cmdOk[i]->setGeometry(340, 8, 130, 34);
        connect(m_cmdOk[i], &QPushButton::clicked, this, [this, i] { Cmd_OK_Click(i); });
    }
    m_cmdCancel = new QPushButton(u"取　消"_s, m_entryArea);
    m_cmdCancel->setObjectName(u"CmdCANCEL"_s);
    m_cmdCancel->setGeometry(340, 56, 130, 34);
    connect(m_cmdCancel, &QPushButton::clicked, this, &Form_Player::CmdCANCEL_Click);

    // Typed text goes to the controller; the scroll bars follow it and the
    // boxes follow the scroll bars.
    connect(m_txtId, &QLineEdit::textEdited, this, [this](const QString &t) {
        m_ctl.setIdText(t);
        follow(m_vsc[0], t);
    });
    connect(m_txtName, &QLineEdit::textEdited, this, [this](const QString &t) { m_ctl.setNameText(t); });
    connect(m_txtHcp, &QLineEdit::textEdited, this, [this](const QString &t) {
        m_ctl.setHcpText(t);
        follow(m_vsc[1], t);
    });
    connect(m_vsc[0], &QScrollBar::valueChanged, this, [this](int v) {
        m_ctl.scrollId(-v);
        refresh();
    });
    connect(m_vsc[1], &QScrollBar::valueChanged, this, [this](int v) {
        m_ctl.scrollHcp(-v);
        refresh();
    });
    for (QLineEdit *box : { m_txtId, m_txtName, m_txtHcp }) {
        connect(box, &QLineEdit::returnPressed, this, [this] {
            if (m_ctl.state() == PlayerController::State::NewPlayer)
                Cmd_OK_Click(0);
            else if (m_ctl.state() == PlayerController::State::Handicap)
                Cmd_OK_Click(1);
        });
    }
}

void Form_Player::refreshChart()
{
    const bool wasRefreshing = m_refreshing;
    m_refreshing = true;
    const int cols = m_ctl.chartColumns();
    if (m_grid->rowCount() != PlayerController::chart_rows)
        m_grid->setRowCount(PlayerController::chart_rows);
    if (m_grid->columnCount() != cols)
        m_grid->setColumnCount(cols);
    m_grid->setColumnWidth(0, platform::twipsToPixels(500));
    for (int c = 1; c < cols; ++c)
        m_grid->setColumnWidth(c, platform::twipsToPixels(850));
    const int lit = m_ctl.highlightedSeat();
    for (int r = 0; r < PlayerController::chart_rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            QTableWidgetItem *item = m_grid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_grid->setItem(r, c, item);
            }
            const bool header = r == 0 || c == 0;
            const QString text = m_ctl.cellText(r, c);
            if (item->text() != text)
                item->setText(text);
            item->setFlags(header ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(header ? Qt::Alignment(Qt::AlignCenter) : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
            QColor back = Qt::white;
            if (header)
                back = kHeaderBack;
            else if (PlayerController::seatOf(r, c) == lit)
                back = kHighlight;
            item->setBackground(back);
            item->setForeground(Qt::black);
        }
    }
    if (m_ctl.currentSeat() >= 0) {
        m_grid->setCurrentCell(m_ctl.row(), m_ctl.col());
    } else {
        m_grid->clearSelection();
        m_grid->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    m_refreshing = wasRefreshing;
}

void Form_Player::refresh()
{
    m_refreshing = true;
    const bool choosing = m_ctl.state() == PlayerController::State::Choosing;
    const bool newPlayer = m_ctl.state() == PlayerController::State::NewPlayer;

    refreshChart();
    setText(m_txtId, m_ctl.idText());
    setText(m_txtName, m_ctl.nameText());
    setText(m_txtHcp, m_ctl.hcpText());
    setBar(m_vsc[0], m_ctl.idScroll());
    setBar(m_vsc[1], m_ctl.hcpScroll());

    if (choosing) {
        const int row = m_ctl.playerRow();
        if (row >= 0 && row < m_playerModel->rowCount()) {
            const QModelIndex current = m_list->currentIndex();
            if (!current.isValid() || current.row() != row)
                m_list->setCurrentIndex(m_playerModel->index(row, 0));
        }
    }

    m_list->setEnabled(choosing);
    m_grid->setEnabled(choosing);
    m_pctAdd->setEnabled(choosing);
    m_pctCan->setEnabled(choosing);
    // Score entry is reached only once something takes the request.
    const bool entry = choosing && entryReachable();
    m_cmdInp->setEnabled(entry);
    m_menuScore->setEnabled(entry);
    m_cmdNew->setEnabled(choosing);
    m_txtId->setEnabled(newPlayer);
    m_txtName->setEnabled(newPlayer);
    m_vsc[0]->setEnabled(newPlayer);
    m_cmdOk[0]->setVisible(newPlayer);
    m_cmdOk[1]->setVisible(m_ctl.state() == PlayerController::State::Handicap);
    applyHeight();
    m_refreshing = false;
}

void Form_Player::applyHeight()
{
    const int outer = platform::twipsToPixels(m_ctl.windowHeight());
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    // The height is that of the whole window, caption and border included.
    const int decoration = frame ? frame->sizeHint().height() - minimumHeight() : 0;
    const int inner = outer - decoration;
    m_entryArea->setVisible(m_ctl.entryAreaOpen());
    if (minimumHeight() == inner && maximumHeight() == inner && width() == kWidth)
        return;
    setFixedSize(kWidth, inner);
    if (frame)
        frame->setFixedSize(frame->sizeHint());
}

void Form_Player::focusBox()
{
    QLineEdit *target = nullptr;
    switch (m_ctl.focus()) {
    case PlayerController::Focus::Id:
        target = m_txtId;
        break;
    case PlayerController::Focus::Hcp:
        target = m_txtHcp;
        break;
    case PlayerController::Focus::None:
        break;
    }
    if (target) {
        target->setFocus();
        target->selectAll();
    }
}

void Form_Player::Pct_ADD_Click()
{
    m_ctl.Pct_ADD();
    refresh();
    focusBox();
}

void Form_Player::Pct_can_Click()
{
    m_ctl.Pct_can();
    refresh();
}

void Form_Player::Cmd_newPlayer_Click()
{
    m_ctl.Cmd_newPlayer();
    refresh();
    focusBox();
}

void Form_Player::Cmd_OK_Click(int index)
{
    const bool newPlayer = index == 0;
    if (m_ctl.Cmd_OK(index)) {
        if (newPlayer)
            m_playerModel->reload();
        refresh();
        m_grid->setFocus();
    } else {
        focusBox();
    }
}

void Form_Player::CmdCANCEL_Click()
{
    m_ctl.CmdCANCEL();
    refresh();
}

bool Form_Player::entryReachable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&Form_Player::entry_requested));
}

void Form_Player::Cmd_InpMARK_Click()
{
    if (m_ctl.state() != PlayerController::State::Choosing || !entryReachable())
        return;
    m_ctl.Cmd_InpMARK();
    refresh();
    Q_EMIT entry_requested();
}

void Form_Player::menu_h_Click()
{
    shell::BrowserLaunch::openHelp(m_ctx, u"play"_s);
}

void Form_Player::highlightSeat(int seat)
{
    m_ctl.setHighlightedSeat(seat);
    refreshChart();
}

void Form_Player::leaveScreen()
{
    m_ctl.leave();
}

void Form_Player::showEvent(QShowEvent *event)
{
    watchFrame();
    refresh();
    QWidget::showEvent(event);
}

void Form_Player::watchFrame()
{
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || frame == m_watchedFrame || !frame->mdiArea())
        return;
    m_watchedFrame = frame;
    m_active = frame->mdiArea()->activeSubWindow() == frame;
    // Another child window coming to the front (score entry) is leaving this
    // screen. No window at all means the main window lost the focus (a
    // message box): that is not leaving.
    connect(frame->mdiArea(), &QMdiArea::subWindowActivated, this, [this, frame](QMdiSubWindow *window) {
        if (!window)
            return;
        const bool was = m_active;
        m_active = window == frame;
        if (was && !m_active)
            leaveScreen();
    });
}

bool Form_Player::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // Enter in the list places its player; Delete in the chart clears the cell.
        if (watched == m_list && enter && key->modifiers() == Qt::NoModifier) {
            Pct_ADD_Click();
            return true;
        }
        if (watched == m_grid && key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            Pct_can_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace setup
