#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QString>
#include <QWidget>

// Mouse and key events sent to widgets as the window system would deliver them.
namespace ui {

inline void mouse(QWidget *w, QEvent::Type type, const QPoint &at, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void click(QWidget *w, const QPoint &at)
{
    mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

inline void click(QWidget *w)
{
    click(w, w->rect().center());
}

inline void doubleClick(QWidget *w, const QPoint &at)
{
    click(w, at);
    mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// The centre of a cell of an item view, in its viewport.
inline QPoint cellCentre(QAbstractItemView *view, int row, int col)
{
    return view->visualRect(view->model()->index(row, col)).center();
}

inline void clickCell(QAbstractItemView *view, int row, int col)
{
    click(view->viewport(), cellCentre(view, row, col));
}

inline void doubleClickCell(QAbstractItemView *view, int row, int col)
{
    doubleClick(view->viewport(), cellCentre(view, row, col));
}

inline void key(QWidget *w, int key, const QString &text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

// Types a text character by character.
inline void type(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        key(w, c.isDigit() ? Qt::Key_0 + c.digitValue() : (c == u'-' ? Qt::Key_Minus : Qt::Key_unknown), QString(c));
}

} // namespace ui
