#include "widgets/cell_selection.h"

#include "widgets/guarded_spin_box.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

cellSelection::cellSelection(const controls& c, QObject* parent) : QObject(parent), parts(c)
{
    connect(parts.every, &QCheckBox::toggled, parts.step, &QWidget::setEnabled);
    connect(parts.inRange, &QCheckBox::toggled, parts.from, &QWidget::setEnabled);
    connect(parts.inRange, &QCheckBox::toggled, parts.to, &QWidget::setEnabled);
    // Only an accepted value moves the other end: while the user types, a
    // digit on its way to a larger number must not push the range about.
    connect(parts.from, &guardedSpinBox::valueAccepted, this, [this](int v) {
        if (parts.to->value() < v)
            parts.to->setValue(v);
    });
    connect(parts.to, &guardedSpinBox::valueAccepted, this, [this](int v) {
        if (parts.from->value() > v)
            parts.from->setValue(v);
    });
}

cellSelection::choice cellSelection::chosen(int allEnd) const
{
    using tick = checkGridModel::tick;
    choice c{parts.invert->isChecked() ? tick::invert : parts.select->isChecked() ? tick::on : tick::off, 0, allEnd,
             parts.every->isChecked() ? parts.step->value() : 1};
    if (parts.inRange->isChecked()) {
        c.first = qMax(0, parts.from->value() - 1);
        c.end = parts.to->value();
    }
    return c;
}

void cellSelection::apply(checkGridModel& model, int end) const
{
    const choice c = chosen(end);
    model.apply(c.mode, c.first, qMin(c.end, end), c.step);
}

void cellSelection::setRangeMaximum(int n)
{
    parts.from->setRange(1, n);
    parts.to->setRange(1, n);
}

cellSelectionGroup::cellSelectionGroup(const shape& s, QWidget* parent) : QGroupBox(tr("Selection"), parent)
{
    const QFont fontA = pageStyle::listFont();
    resize(301, 261);
    // Three even columns, the last well inside the group's frame.
    selectButton = new QRadioButton(tr("Select"), this);
    selectButton->setGeometry(10, 30, 91, 20);
    deselectButton = new QRadioButton(tr("Deselect"), this);
    deselectButton->setGeometry(105, 30, 91, 20);
    deselectButton->setChecked(true);
    invertButton = new QRadioButton(tr("Invert"), this);
    invertButton->setGeometry(200, 30, 91, 20);

    chooseGroup = new QGroupBox(tr("Choose all or..."), this);
    chooseGroup->setGeometry(10, 60, 281, 151);
    everyBox = new QCheckBox(tr("Choose every"), chooseGroup);
    everyBox->setGeometry(50, 40, s.everyWidth, 21);
    stepBox = new QSpinBox(chooseGroup);
    stepBox->setGeometry(200, 40, s.numberWidth, 22);
    stepBox->setRange(2, s.stepMaximum);
    stepBox->setEnabled(false);
    inRangeBox = new QCheckBox(tr("In range"), chooseGroup);
    inRangeBox->setGeometry(50, 80, 130, 19);
    const auto rangeLabel = [&](const QString& text, int x, int width) {
        auto* l = new QLabel(text, chooseGroup);
        l->setGeometry(x, 110, width, 20);
        l->setFont(fontA);
        return l;
    };
    const auto rangeBox = [&](int x, int value) {
        auto* b = new guardedSpinBox(chooseGroup);
        b->setGeometry(x, 110, s.numberWidth, 22);
        b->setRange(1, s.rangeMaximum);
        b->setValue(value);
        b->setEnabled(false);
        return b;
    };
    fromLabel = rangeLabel(tr("from "), 50, 38);
    fromBox = rangeBox(90, 1);
    toLabel = rangeLabel(tr("to"), 160, 21);
    toBox = rangeBox(200, s.rangeEnd);

    executeButton = new QPushButton(tr("Execute!"), this);
    executeButton->setGeometry(90, 220, 121, 23);
    executeButton->setFont(fontA);

    selection = new cellSelection({selectButton, invertButton, everyBox, stepBox, inRangeBox, fromBox, toBox}, this);
}
