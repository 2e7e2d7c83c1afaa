#include "results_ui/form_klv.h"

#include "shell/form_menu.h"

#include <QAction>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace results_ui {

namespace {

constexpr int kTop = 26; // below the menu bar

} // namespace

Form_KLV::Form_KLV(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"Form_KLV"_s);
    setWindowTitle(caption());

    auto *bar = new QMenuBar(this);
    bar->setGeometry(0, 0, 380, 24);
    QAction *off = bar->addAction(u"閉じる(&X)"_s);
    off->setObjectName(u"menu_off"_s);
    connect(off, &QAction::triggered, this, &Form_KLV::Cmd_OK_Click);

    auto *frame = new QGroupBox(u"順位と優勝ポイント"_s, this);
    frame->setGeometry(8, kTop + 4, 364, 330);
    m_list = new QListWidget(frame);
    m_list->setObjectName(u"List_klv"_s);
    QFont big = m_list->font();
    big.setPointSize(12);
    // Columns of the lines line up only in a font of fixed pitch.
    big.setStyleHint(QFont::TypeWriter);
    big.setFamilies({ u"IPAGothic"_s, u"monospace"_s });
    m_list->setFont(big);
    m_list->setGeometry(10, 24, 344, 296);

    auto *ok = new QPushButton(u"閉じる (&C)"_s, this);
    ok->setObjectName(u"Cmd_OK"_s);
    ok->setGeometry(8, kTop + 342, 364, 32);
    connect(ok, &QPushButton::clicked, this, &Form_KLV::Cmd_OK_Click);

    setFixedSize(380, kTop + 382);
}

QString Form_KLV::caption()
{
    return u"ポイントのデータ"_s;
}

void Form_KLV::show_points(const QStringList &lines)
{
    m_list->clear();
    m_list->addItems(lines);
}

QStringList Form_KLV::lines() const
{
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i)
        out << m_list->item(i)->text();
    return out;
}

void Form_KLV::Cmd_OK_Click()
{
    shell::Form_menu::closeChild(this);
}

} // namespace results_ui
