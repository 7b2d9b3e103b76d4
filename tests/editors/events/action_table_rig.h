#pragma once

#include "editors/events/aevents_tableview_delegate.h"
#include "editors/events/aevents_tableview_widget.h"
#include "model/config_image.h"
#include "model/events.h"
#include "support/page_fixture.h"

#include <QComboBox>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <QTest>
#include <functional>
#include <memory>

// An action table of one page kind on the page fixture, with the cell
// editing road the view takes: create the editor, load it, change it,
// store it. The helpers work on `current`, the rig's own table unless a test
// points it at another table on the same page.
struct actionTableRig : pageFixture {
    explicit actionTableRig(int pageKind)
        : table(pageKind, &tab)
    {
    }

    eventTable& events() { return controller().events; }
    aevents_tableview_delegate& delegate() { return *current->actionDelegate; }
    QModelIndex index(int row, int column) const { return current->model()->index(row, column); }

    // Appends an action to event id and returns its position.
    int add(int id, int type, int number, int sub)
    {
        const int i = events().appendAction(id);
        events().setActionType(id, i, type);
        events().setNumber(id, i, number);
        events().setSubAction(id, i, sub);
        return i;
    }
    void show(int id) { current->setEvent(id); }
    // Delay d owned by sequence q (q 0xFFF frees it).
    void ownDelay(int d, int q) { img::putU32(controller().configImage, img::delaysOf(d), delayWord::make(1, uint32_t(q))); }
    void allowSelfProgramming(bool on)
    {
        img::putU16(controller().configImage, img::dmxInProgramming, on ? 0 : img::NONE16);
    }

    // The editor of a cell, created and loaded; null when the cell has none.
    std::unique_ptr<QWidget> open(int row, int column)
    {
        QWidget* editor = delegate().createEditor(current->viewport(), QStyleOptionViewItem(), index(row, column));
        if (editor)
            delegate().setEditorData(editor, index(row, column));
        return std::unique_ptr<QWidget>(editor);
    }
    void store(QWidget* editor, int row, int column)
    {
        delegate().setModelData(editor, current->model(), index(row, column));
    }
    // Opens a cell, lets `change` work on its editor and stores it.
    template <class Editor>
    void edit(int row, int column, const std::function<void(Editor*)>& change)
    {
        std::unique_ptr<QWidget> editor = open(row, column);
        auto* typed = qobject_cast<Editor*>(editor.get());
        QVERIFY2(typed, "the cell has no editor of the expected kind");
        change(typed);
        store(typed, row, column);
    }
    // Chooses the item with the given code in a type, number or action combo.
    void choose(int row, int column, int code)
    {
        edit<QComboBox>(row, column, [code](QComboBox* combo) {
            const int ix = combo->findData(code);
            QVERIFY2(ix >= 0, qPrintable(QStringLiteral("no item for code %1").arg(code)));
            combo->setCurrentIndex(ix);
        });
    }
    void setNumber(int row, int shown)
    {
        edit<QSpinBox>(row, 1, [shown](QSpinBox* spin) { spin->setValue(shown); });
    }

    aevents_tableview_widget table;
    aevents_tableview_widget* current = &table;
};
