#pragma once

#include "app/gui_class.h"

#include <QTabWidget>

// Every main tab and sub-tab of a main window in turn, as a user clicks
// through them (the sub-tabs from the last), ending on the Scenes tab.
inline void showEveryPage(gui_class* w)
{
    for (int main = 0; main < w->tabWidget_main->count(); ++main) {
        w->tabWidget_main->setCurrentIndex(main);
        for (QTabWidget* inner : {w->tabWidget_events, w->tabWidget_actives, w->tabWidget_settings})
            if (inner->parentWidget() == w->tabWidget_main->currentWidget())
                for (int i = inner->count() - 1; i >= 0; --i)
                    inner->setCurrentIndex(i);
    }
    w->tabWidget_main->setCurrentIndex(1);
}
