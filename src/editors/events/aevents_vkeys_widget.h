#pragma once

#include "editors/events/aevents_source_page.h"

#include <QModelIndex>

// The Power On and internal events page (events tab "Internal Events"): row
// 0 is Power On, rows 1..1023 the internal events 2..1024.
class aevents_vkeys_widget : public aevents_source_page {
    Q_OBJECT
public:
    explicit aevents_vkeys_widget(QWidget* parent);

public slots:
    void refresh();
    void inputChange(const QModelIndex& index_current, const QModelIndex& index_previous);

private:
    QString rowText(int row) const;
};
