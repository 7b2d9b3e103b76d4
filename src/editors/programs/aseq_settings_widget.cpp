#include "editors/programs/aseq_settings_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/events/action_rows.h"
#include "editors/programs/aseq_conf_widget.h"
#include "editors/programs/description_list.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/sequence_chain.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int DESCRIPTION_LENGTH = 100;
constexpr int NO_EVENT = 0xFFFF;

// A button at its place, widened when its caption needs more room.
QPushButton* makeButton(const QString& text, const QRect& geometry, const QFont& font, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setFont(font);
    b->setGeometry(geometry);
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        width = qMax(width, metrics.horizontalAdvance(line));
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;
    b->resize(qMax(geometry.width(), width + 16), qMax(geometry.height(), lines * metrics.lineSpacing() + 10));
    return b;
}

QLabel* makeLabel(const QString& text, const QRect& geometry, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->resize(qMax(geometry.width(), label->sizeHint().width()), geometry.height());
    return label;
}

}  // namespace

aseq_settings_widget::aseq_settings_widget(QWidget* parent)
    : QWidget(nullptr)
{
    const QFont listFont = pageStyle::listFont();
    const QFont descriptionFont = pageStyle::descriptionFont();

    const descriptionList list = makeDescriptionList(
        img::SEQUENCES, tr("Sequences"), tr("no description"),
        [](int q) {
            return theController ? theController->eventDescriptions[size_t(EVENT_SEQUENCE_START + q)] : QString();
        },
        [](int q) { return theController && !theController->sequenceDelays[size_t(q)].isEmpty(); }, parent);
    sequenceList = list.view;
    sequenceListModel = list.model;
    sequenceList->setGeometry(10, 10, 175, 625);
    sequenceList->setCurrentCell(0, 0);

    sequenceLabel = makeLabel(tr("Sequence No. %1").arg(1), QRect(420, 10, 200, 20), parent);

    stepTable = new aseq_conf_widget(parent);
    stepTable->setGeometry(220, 40, 500, 264);

    stepsLabel = makeLabel(tr("Number of steps in sequence:"), QRect(230, 320, 210, 20), parent);
    stepCountBox = new QSpinBox(parent);
    // The box follows its caption when a translation needs more room.
    stepCountBox->setGeometry(qMax(445, stepsLabel->x() + stepsLabel->width() + 5), 320, 50, 20);
    stepCountBox->setRange(0, img::DELAYS);
    stepCountBox->setKeyboardTracking(false);

    insertButton = makeButton(tr("Insert"), QRect(750, 70, 70, 24), listFont, parent);
    deleteButton = makeButton(tr("Delete"), QRect(750, 105, 70, 24), listFont, parent);
    finishButton = makeButton(tr("Finish\nprev. step"), QRect(750, 175, 70, 40), listFont, parent);

    actionPanel = new aevents_conf_widget(SEQUENCE_PAGE, parent);
    actionPanel->setGeometry(220, 360, 610, 264);
    stepTable->actionPanel = actionPanel;
    stepTable->page = this;

    descriptionLabel = makeLabel(tr("Seq. description:"), QRect(10, 645, 151, 21), parent);
    descriptionEdit = new QLineEdit(parent);
    descriptionEdit->setGeometry(222, 645, 611, 21);
    descriptionEdit->setFont(descriptionFont);
    descriptionEdit->setMaxLength(DESCRIPTION_LENGTH);

    connect(stepCountBox, &QSpinBox::valueChanged, this, &aseq_settings_widget::stepCountChange);
    connect(insertButton, &QPushButton::clicked, stepTable, &aseq_conf_widget::insertStep);
    connect(deleteButton, &QPushButton::clicked, stepTable, &aseq_conf_widget::deleteStep);
    connect(finishButton, &QPushButton::clicked, stepTable, &aseq_conf_widget::cleanPrevStep);
    connect(descriptionEdit, &QLineEdit::editingFinished, this, &aseq_settings_widget::disableDescEdition);
    connect(sequenceList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                seqNumberChange(current.row(), current.column(), previous.row(), previous.column());
            });
    connectStepRows();
    connect(stepTable, &aseq_conf_widget::changeStepNumber, this, &aseq_settings_widget::stepCountChanged);
    connect(stepTable, &aseq_conf_widget::refreshEvents, this, &aseq_settings_widget::refresh);

    refresh();
}

aseq_settings_widget::~aseq_settings_widget()
{
    delete sequenceList;
}

void aseq_settings_widget::connectStepRows()
{
    connect(stepTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aseq_settings_widget::stepRowChange);
}

void aseq_settings_widget::refresh()
{
    ++refreshCount;
    sequenceLabel->setText(tr("Sequence No. %1").arg(currentSequence + 1));
    tableSeqRefresh();
    stepTable->setSequence(currentSequence);
    actionPanel->refresh();
    descriptionEdit->setText(theController
                                 ? theController->eventDescriptions[size_t(EVENT_SEQUENCE_START + currentSequence)]
                                 : QString());
    const QModelIndex current = stepTable->currentIndex();
    if (current.isValid())
        stepRowChange(current, current);
    else
        actionPanel->setEvent(NO_EVENT);
    stepTable->refresh();
}

void aseq_settings_widget::seqNumberChange(int row, int column, int, int)
{
    if (row < 0 || row >= img::SEQUENCES)
        return;
    currentSequence = row;
    if (sequenceList->currentRow() != row)
        sequenceList->setCurrentCell(row, column);
    disconnect(stepTable->selectionModel(), &QItemSelectionModel::currentRowChanged, nullptr, nullptr);
    stepTable->load(row);
    // Showing the count of the sequence as it is changes nothing in it.
    stepCountBox->setValue(theController ? int(theController->sequenceDelays[size_t(row)].size()) : 0);
    connectStepRows();
    refresh();
}

void aseq_settings_widget::stepCountChange(int sceneCount)
{
    stepTable->setRows(sceneCount);
    tableSeqRefresh();
}

void aseq_settings_widget::stepCountChanged(int n)
{
    const QSignalBlocker quiet(stepCountBox);
    stepCountBox->setValue(n);
}

void aseq_settings_widget::stepRowChange(const QModelIndex& current, const QModelIndex&)
{
    if (!theController || !current.isValid()) {
        actionPanel->setEvent(NO_EVENT);
        return;
    }
    const int id = sequenceChain(*theController, currentSequence).rowEvent(current.row());
    actionPanel->setEvent(id < 0 ? NO_EVENT : id);
}

void aseq_settings_widget::disableDescEdition()
{
    if (!theController)
        return;
    const QString text = descriptionEdit->text().trimmed();
    descriptionEdit->setText(text);
    theController->eventDescriptions[size_t(EVENT_SEQUENCE_START + currentSequence)] = text;
    sequenceListModel->rowChanged(currentSequence);
}

void aseq_settings_widget::tableSeqRefresh()
{
    // The rows read texts and colours when they are drawn.
    sequenceListModel->allChanged();
}
