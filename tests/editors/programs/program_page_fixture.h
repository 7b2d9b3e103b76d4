#pragma once

#include "editors/programs/aprogram_conf_delegate.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/step_grid.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "support/page_fixture.h"
#include "widgets/page_list.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <memory>

// A program page on the page fixture's tab. Programs are made in the
// controller before build(), or shown afterwards with show().
struct programPageFixture : pageFixture {
    std::unique_ptr<aprogram_settings_widget> page;

    void build() { page = std::make_unique<aprogram_settings_widget>(&controller(), &tab); }
    programTable& programs() { return controller().programs; }
    aprogram_conf_widget* table() const { return page->stepTable; }
    QAbstractItemModel* model() const { return page->stepTable->model(); }

    // Program p of the given durations in tenths (fade-ups 0, scenes 100 + i).
    void makeProgram(int p, const QList<int>& durations)
    {
        programs().setStepCount(p, int(durations.size()));
        for (int i = 0; i < durations.size(); ++i) {
            programs().setScene(p, i, 100 + i);
            programs().setDuration(p, i, fromTenths(unsigned(durations.at(i))));
        }
    }

    // The user picks program p in the program list.
    void show(int p) { page->programList->setCurrentCell(p, 0); }

    void setCurrentRow(int row) { table()->setCurrentIndex(model()->index(row, 0)); }

    QString cell(int row, int column) const { return cellText(model(), row, column); }
    QStringList column(int c) const { return columnTexts(model(), c); }

    // The "Groupped Steps" grid as its view reads it: whether the box of
    // step s shows a tick, and whether it takes one (is not greyed).
    checkGridModel* grid() const { return page->stepGrid->grid(); }
    bool ticked(int s) const { return grid()->indexOf(s).data(Qt::CheckStateRole).toInt() == Qt::Checked; }
    bool takesTicks(int s) const { return grid()->flags(grid()->indexOf(s)) & Qt::ItemIsEnabled; }
    // Ticks the box of step s as a click on it would.
    void tick(int s) { grid()->setChecked(s, true); }

    // Scenes of program p, 0-based.
    QList<int> scenes(int p)
    {
        QList<int> out;
        for (int i = 0; i < programs().stepCount(p); ++i)
            out << programs().scene(p, i);
        return out;
    }
};
