#pragma once

// How the window tests work a cell editor as the user does: a row clicked,
// an editor opened on a cell and changed without being finished.

#include "app/gui_class.h"
#include "editors/events/aevents_source_page.h"
#include "model/config_image.h"
#include "model/events.h"
#include "model/kv310_controller.h"
#include "program_rig.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

// The session's window shows a show whose every event page can be edited
// (inputs in use, buttons learnt, output events generated for channels
// 2..4), wide enough for every table; false when it does not come up.
bool showEditableEvents(programSession& s)
{
    kv310_controller_class& c = *s.rig->controller;
    uint8_t* image = c.configImage;
    for (int input = 0; input < 4; ++input)
        img::putI32(image, img::inputTypesOf(input), 0);
    for (int button = 0; button < 4; ++button)
        c.rcuKeyCodes[size_t(button)] = uint8_t(button + 1);
    img::putU16(image, img::outEventFirstChannel, 1);
    img::putU16(image, img::outEventLastChannel, 3);
    gui_class* w = s.rig->window.get();
    w->fileRead();
    w->tabWidget_events->setTabEnabled(5, true);
    w->resize(1300, 760);
    w->show();
    return QTest::qWaitForWindowActive(w);
}

// The event page of an events sub-tab (0..6).
aevents_source_page* eventPageOf(gui_class* w, int subTab)
{
    const QList<aevents_source_page*> pages{w->inputsEvents, w->dmxInEvents, w->clockEvents, w->vkeysEvents,
                                            w->delayEvents,  w->iredEvents,  w->dmxOutEvents};
    return pages.at(subTab);
}

// An action of its own for event `id`: Scene 5 On.
void giveAction(eventTable& events, int id)
{
    const int i = events.appendAction(id);
    eventAction* a = events.action(id, i);
    a->setType(ACTION_SCENE);
    a->number = 4;
    a->setSubAction(SUB_ON);
}

// The user clicks a row of a list or table.
void clickRow(QAbstractItemView* view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// The user opens the editor of a cell; null when the cell has none.
QWidget* openEditor(QAbstractItemView* view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    return view->indexWidget(index);
}

// The user changes what an open editor holds, one step, without finishing:
// a condition ticked where it offers them (the state-limit window), otherwise
// one step of the box inside it that the user clicks into, or a word typed
// into its line.
void changeEditor(QWidget* editor)
{
    for (QRadioButton* button : editor->findChildren<QRadioButton*>())
        if (!button->isChecked()) {
            button->click();
            return;
        }
    QList<QWidget*> boxes{editor};
    boxes += editor->findChildren<QWidget*>();
    for (QWidget* box : boxes) {
        if (!box->isVisible())
            continue;
        if (auto* combo = qobject_cast<QComboBox*>(box)) {
            combo->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(combo, Qt::Key_Down);
            return;
        }
        if (auto* line = qobject_cast<QLineEdit*>(box)) {
            line->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(line, QStringLiteral("typed"));
            return;
        }
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(box)) {
            spin->setFocus(Qt::MouseFocusReason);
            // A time steps by its smallest part, which every range admits.
            if (auto* time = qobject_cast<QDateTimeEdit*>(spin))
                time->setCurrentSectionIndex(time->sectionCount() - 1);
            QTest::keyClick(spin, Qt::Key_Up);
            return;
        }
    }
}

}  // namespace
