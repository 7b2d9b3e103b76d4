#pragma once

#include "support/dialog_recorder.h"
#include "support/fake_main_window.h"
#include "support/project_fixture.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <QWidget>

// The world of one page under test: the run's controller and visual project
// published as main publishes them, a recording main window as
// `theMainWindow`, the dialog recorder answering every dialog, and the
// editors' channel count at its start value. A page is built on `tab`, the
// main window's tab page it would live on. Torn down in the reverse order.
struct pageFixture {
    pageFixture()
        : run(true)
    {
        channelCount = 512;
    }
    ~pageFixture() { channelCount = 512; }
    pageFixture(const pageFixture&) = delete;
    pageFixture& operator=(const pageFixture&) = delete;

    kv310_controller_class& controller() { return run.controller; }
    v_project& project() { return run.project; }
    fakeMainWindow& window() { return *run.window; }

    dialogRecorder dialogs;
    publishedRun run;
    QWidget tab;
};

// What a page's table shows in one cell, and down one column.
inline QString cellText(const QAbstractItemModel* model, int row, int column)
{
    return model->index(row, column).data().toString();
}

inline QStringList columnTexts(const QAbstractItemModel* model, int column)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << cellText(model, r, column);
    return out;
}
