#pragma once

// What the invariant tests of the window share: a user's visit of every page
// (every tab and sub-tab, the first and the last row of every list chosen,
// the focus passed through every box), a dialog seam that cancels whatever
// asks, and the window rebuilt under another language as the program's
// rebuild loop rebuilds it.

#include "app/gui_class.h"
#include "monitor/ctrl_monitor.h"
#include "monitor/monitor_flags.h"
#include "program_rig.h"
#include "seams/dialog_seam.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTranslator>

#include <functional>

namespace visit {

inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
}

// What a user who cancels answers a message: its escape button (else its
// last one), or Cancel, No or OK.
inline int cancellingAnswer(const messageRequest& request)
{
    if (!request.buttonTexts.isEmpty())
        return request.escapeIndex >= 0 ? request.escapeIndex : int(request.buttonTexts.size() - 1);
    if (request.buttons & QMessageBox::Cancel)
        return QMessageBox::Cancel;
    if (request.buttons & QMessageBox::No)
        return QMessageBox::No;
    return QMessageBox::Ok;
}

// Cancels every dialog: no file, no colour, a rejected modal dialog, and the
// cancelling answer of a message. File names queued with answerFile are given
// to the open and save dialogs first.
class cancellingSeam final : public dialogSeam {
public:
    cancellingSeam() : previous(&dialogs()) { installDialogSeam(this); }
    ~cancellingSeam() override { installDialogSeam(previous == this ? nullptr : previous); }

    void answerFile(const QString& name) { files.append(name); }

    int message(const messageRequest& request) override
    {
        titles.append(request.title);
        return cancellingAnswer(request);
    }
    QString openFileName(fileRequest& request) override { return file(request); }
    QString saveFileName(fileRequest& request) override { return file(request); }
    QColor color(const QColor&, QWidget*, const QString& title) override
    {
        titles.append(title);
        return QColor();
    }
    int exec(QDialog* dialog) override
    {
        titles.append(QString::fromLatin1(dialog->metaObject()->className()));
        return QDialog::Rejected;
    }

    QStringList titles;  // every message, and the class of every modal dialog, in order
    QStringList files;

private:
    QString file(fileRequest& request)
    {
        titles.append(request.caption);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    dialogSeam* previous;
};

// Every list the scope shows: its first row chosen, then scrolled to its end
// and its last row chosen, as a user clicks them.
inline void chooseRows(QWidget* scope)
{
    QList<QPointer<QAbstractItemView>> views;
    for (QAbstractItemView* v : scope->findChildren<QAbstractItemView*>())
        views.append(v);
    for (const QPointer<QAbstractItemView>& v : std::as_const(views)) {
        if (!v || !v->isVisible() || qobject_cast<QHeaderView*>(v.data()) || !v->model()
            || v->model()->rowCount() == 0 || v->model()->columnCount() == 0)
            continue;
        v->setCurrentIndex(v->model()->index(0, 0));
        settle();
        if (!v || !v->model() || v->model()->rowCount() == 0)
            continue;
        v->scrollToBottom();
        v->setCurrentIndex(v->model()->index(v->model()->rowCount() - 1, 0));
        settle();
    }
}

// The keyboard focus passes through every box and line of the scope that
// the user can reach, as tabbing through a page does, and leaves it unchanged.
inline void passFocus(QWidget* scope)
{
    QList<QPointer<QWidget>> boxes;
    for (QWidget* w : scope->findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QLineEdit*>(w))
            boxes.append(w);
    }
    for (const QPointer<QWidget>& w : std::as_const(boxes)) {
        // A spin box's own line, and the cell editors of a view, are not stops of their own.
        if (!w || !w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus
            || qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
            continue;
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(w, &in);
        if (!w)
            continue;
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(w, &out);
        settle();
    }
}

// The scope, then every enabled tab of every tab widget in it, one after the
// other, with the rows of their lists chosen; `onPage` runs on each page shown.
inline void walk(QWidget* scope, const std::function<void(QWidget*)>& onPage = {})
{
    settle();
    chooseRows(scope);
    passFocus(scope);
    if (onPage)
        onPage(scope);
    const QList<QTabWidget*> tabWidgets = scope->findChildren<QTabWidget*>();
    for (QTabWidget* tw : tabWidgets) {
        bool nested = false;
        for (const QWidget* p = tw->parentWidget(); p && p != scope; p = p->parentWidget())
            nested = nested || qobject_cast<const QTabWidget*>(p);
        if (nested || !tw->isVisible())
            continue;
        for (int i = 0; i < tw->count(); ++i) {
            if (!tw->isTabEnabled(i))
                continue;
            tw->setCurrentIndex(i);
            walk(tw->widget(i), onPage);
        }
    }
}

// The window rebuilt as the program rebuilds it for another language (null:
// English): the auxiliary and monitor windows closed, the window deleted, the
// translator changed, a new window built and shown.
inline void rebuildWindow(programRig& rig, QTranslator*& installed, QTranslator* language)
{
    rig.window->vCloseAll();
    rig.window->monitor->closeMonitors(MONITOR_FLAG_ALL);
    rig.window->hide();
    rig.window.reset();
    theMainWindow = nullptr;
    if (installed)
        QCoreApplication::removeTranslator(installed);
    installed = language;
    if (installed)
        QCoreApplication::installTranslator(installed);
    rig.window = std::make_unique<gui_class>(rig.controller.get(), nullptr);
    theMainWindow = rig.window.get();
    rig.window->show();
    settle();
}

}  // namespace visit
