#include "widgets/late_content.h"

#include <QWidget>

void showLateContent(QWidget* page)
{
    for (QObject* child : page->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        if (w->isHidden() && !w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            w->show();
        showLateContent(w);
    }
}
