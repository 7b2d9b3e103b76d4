#pragma once

// A dialog seam for the benchmarks: answers every message with its default
// and counts the failures shown, so that a run can tell it went wrong.

#include "seams/dialog_seam.h"

#include <QtGlobal>

namespace benchDialogs {

class quietDialogs final : public dialogSeam {
public:
    int message(const messageRequest& request) override
    {
        if (request.icon == QMessageBox::Critical || request.icon == QMessageBox::Warning)
            ++problems;
        return QMessageBox::Ok;
    }
    QString openFileName(fileRequest&) override { return QString(); }
    QString saveFileName(fileRequest&) override { return QString(); }
    QColor color(const QColor&, QWidget*, const QString&) override { return QColor(); }
    int exec(QDialog*) override { return 0; }
    int problems = 0;
};

// Quiet dialogs installed as the seam for as long as it lives.
class installedQuietDialogs {
public:
    installedQuietDialogs() { installDialogSeam(&dialogs); }
    ~installedQuietDialogs() { installDialogSeam(nullptr); }
    installedQuietDialogs(const installedQuietDialogs&) = delete;
    installedQuietDialogs& operator=(const installedQuietDialogs&) = delete;
    quietDialogs dialogs;
};

// Widgets on the offscreen platform unless another one is named; before the
// application object is made.
inline void offscreenUnlessNamed()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace benchDialogs
