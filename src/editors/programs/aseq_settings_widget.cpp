#include "editors/programs/aseq_settings_widget.h"

#include "model/config_image.h"

#include <QTableWidget>

aseq_settings_widget::aseq_settings_widget(QWidget* parent) : QWidget(nullptr)
{
    sequenceList = new QTableWidget(img::SEQUENCES, 1, parent);
    sequenceList->setGeometry(10, 20, 175, 625);
    sequenceList->setHorizontalHeaderItem(0, new QTableWidgetItem(tr("Sequence")));
    sequenceList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sequenceList->setSelectionBehavior(QAbstractItemView::SelectRows);
    sequenceList->setSelectionMode(QAbstractItemView::SingleSelection);
    sequenceList->setCurrentCell(0, 0);
}

void aseq_settings_widget::refresh()
{
    ++refreshCount;
}

void aseq_settings_widget::seqNumberChange(int row, int, int, int)
{
    if (row < 0 || row >= img::SEQUENCES)
        return;
    currentSequence = row;
    sequenceList->setCurrentCell(row, 0);
}
