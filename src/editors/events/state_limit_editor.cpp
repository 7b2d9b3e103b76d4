#include "editors/events/state_limit_editor.h"

#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QHeaderView>
#include <QRadioButton>

// ---- setStateClass -----------------------------------------------------------------

setStateClass::setStateClass(QWidget* parent)
    : QGroupBox(parent)
{
    ignoreButton = new QRadioButton(tr("Ignore"), this);
    ignoreButton->setGeometry(10, 5, 83, 18);
    whenSetButton = new QRadioButton(tr("When set"), this);
    whenSetButton->setGeometry(85, 5, 106, 18);
    whenUnsetButton = new QRadioButton(tr("When unset"), this);
    whenUnsetButton->setGeometry(200, 5, 111, 18);
}

setStateClass::~setStateClass()
{
    delete ignoreButton;
    delete whenSetButton;
    delete whenUnsetButton;
}

// ---- StL_widget --------------------------------------------------------------------

StL_widget::StL_widget(QWidget* parent)
    : QWidget(parent)
{
    setupUi(this);
    twStates->horizontalHeader()->hide();
    twStates->verticalHeader()->hide();
    twStates->setRowCount(STATES);
    twStates->setColumnWidth(0, 60);
    twStates->setColumnWidth(1, 312);
    twStates->setColumnWidth(2, 480);
    twStates->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const auto* descriptions = theController ? &theController->stateDescriptions : nullptr;
    for (int i = 0; i < STATES; ++i) {
        twStates->setRowHeight(i, 28);
        auto* name = new QTableWidgetItem(tr("State S%1").arg(i + 1));
        name->setFlags(Qt::ItemIsEnabled);
        twStates->setItem(i, 0, name);
        twStates->setCellWidget(i, 1, new setStateClass);
        const QString text = descriptions ? (*descriptions)[size_t(i)] : QString();
        auto* description = new QTableWidgetItem(text.isEmpty() ? tr("no description...") : text);
        description->setFlags(Qt::ItemIsEnabled);
        twStates->setItem(i, 2, description);
    }

    connect(pbCancel, &QPushButton::clicked, this, &StL_widget::slotAbort);
    connect(pbSet, &QPushButton::clicked, this, &StL_widget::slotSave);
    connect(pbClear, &QPushButton::clicked, this, &StL_widget::clearAll);
}

setStateClass* StL_widget::stateRow(int i) const
{
    return static_cast<setStateClass*>(twStates->cellWidget(i, 1));
}

void StL_widget::slotSave()
{
    setPressed = true;
    emit save(this);
    emit abort(this);
}

void StL_widget::slotAbort()
{
    emit abort(this);
}

void StL_widget::clearAll()
{
    for (int i = 0; i < STATES; ++i)
        stateRow(i)->ignoreButton->setChecked(true);
}

// ---- Mappings ----------------------------------------------------------------------

// States S1..S4 are held in one byte, S5..S68 in four words of sixteen, two
// bits each with the lowest state of a group in bits 1-0.

void loadStateLimits(StL_widget* editor, uint8_t states1to4, const uint32_t words[4])
{
    uint32_t bits = states1to4;
    for (int i = 0; i < StL_widget::STATES; ++i) {
        if (i >= 4 && (i - 4) % 16 == 0)
            bits = words[(i - 4) / 16];
        setStateClass* row = editor->stateRow(i);
        if (bits & 1)
            row->ignoreButton->setChecked(true);
        else if (bits & 2)
            row->whenSetButton->setChecked(true);
        else
            row->whenUnsetButton->setChecked(true);
        bits >>= 2;
    }
}

uint8_t storedStateLimits(const StL_widget* editor, uint32_t words[4])
{
    const auto group = [editor](int first, int count) {
        uint32_t value = 0;
        for (int i = first + count - 1; i >= first; --i) {
            const setStateClass* row = editor->stateRow(i);
            value <<= 2;
            if (row->ignoreButton->isChecked())
                value |= STATE_IGNORE;
            else if (row->whenSetButton->isChecked())
                value |= STATE_WHEN_SET;
        }
        return value;
    };
    for (int w = 0; w < 4; ++w)
        words[w] = group(4 + 16 * w, 16);
    return uint8_t(group(0, 4));
}
