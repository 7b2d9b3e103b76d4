#pragma once

#include <QWidget>

class QTableWidget;

// The "Sequences" page of the main window. The page object itself is never
// shown: its widgets are children of the tab page given to the constructor.
class aseq_settings_widget : public QWidget {
    Q_OBJECT
public:
    explicit aseq_settings_widget(QWidget* parent);

    QTableWidget* sequenceList;
    int currentSequence = 0;   // 0..127
    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
    // Selects the sequence of the row given first and reloads its steps.
    void seqNumberChange(int row, int column, int previousRow, int previousColumn);
};
