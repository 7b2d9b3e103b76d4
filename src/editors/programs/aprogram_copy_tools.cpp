// The "Copying" tool of the program page: programs copied within the show
// or from another configuration opened for it.

#include "editors/programs/aprogram_settings_widget.h"

#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_page_parts.h"
#include "model/config_image.h"
#include "model/other_configuration.h"
#include "model/program_copy.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

using programPage::controller;

void aprogram_settings_widget::buildCopyTab()
{
    QWidget* tab = copyTab;
    const auto label = [this](const QString& text, QWidget* parent, int x, int y, int w, int h, Qt::Alignment a) {
        auto* l = new QLabel(text, parent);
        l->setGeometry(x, y, w, h);
        l->setAlignment(a);
        l->setFont(listFont);
        return l;
    };
    const auto button = [this](const QString& text, QWidget* parent, int x, int y, int w, int h) {
        auto* b = new QPushButton(text, parent);
        b->setGeometry(x, y, w, h);
        b->setFont(listFont);
        return b;
    };
    const auto spinBox = [](QWidget* parent, int x, int y, int w, int h, int min, int max) {
        auto* s = new QSpinBox(parent);
        s->setGeometry(x, y, w, h);
        s->setRange(min, max);
        return s;
    };
    const auto checkBox = [this](const QString& text, QWidget* parent, int x, int y, int w, int h) {
        auto* c = new QCheckBox(text, parent);
        c->setGeometry(x, y, w, h);
        c->setFont(listFont);
        return c;
    };
    const Qt::Alignment rightCentred = Qt::AlignRight | Qt::AlignVCenter;

    copyProgramLabel = programLabel(tab, 200);
    label(tr("Unused scenes pool starts from"), tab, 30, 50, 290, 20, Qt::AlignRight);
    poolBox = spinBox(tab, 340, 50, 71, 20, 1, img::SCENES);
    reverseBox = checkBox(tr("Reverse steps' order"), tab, 430, 50, 201, 20);

    auto* current = new QGroupBox(tr("Current Configuration"), tab);
    current->setGeometry(10, 90, 631, 141);
    label(tr("Copy from range:"), current, 60, 42, 131, 21, rightCentred);
    copyFromBox = spinBox(current, 200, 40, 71, 22, 1, img::PROGRAM_SLOTS);
    label(tr("to"), current, 290, 42, 21, 17, Qt::AlignLeft);
    copyToBox = spinBox(current, 330, 40, 71, 22, 1, img::PROGRAM_SLOTS);
    copyButton = button(tr("Copy"), current, 200, 80, 101, 23);
    noScenesBox = checkBox(tr("Do not copy scenes"), current, 330, 80, 201, 23);

    auto* other = new QGroupBox(tr("Another Configuration"), tab);
    other->setGeometry(10, 240, 631, 211);
    label(tr("File:"), other, 20, 42, 51, 17, rightCentred);
    fileEdit = new QLineEdit(other);
    fileEdit->setGeometry(90, 40, 331, 21);
    browseButton = button(tr("Browse"), other, 440, 39, 75, 23);
    openButton = button(tr("Open"), other, 530, 39, 75, 23);
    releaseButton = button(tr("Release"), other, 530, 92, 75, 23);
    label(tr("Copy from range:"), other, 60, 92, 131, 21, rightCentred);
    altFromBox = spinBox(other, 200, 90, 71, 22, 1, img::PROGRAM_SLOTS);
    label(tr("to"), other, 290, 92, 21, 17, Qt::AlignLeft);
    altToBox = spinBox(other, 330, 90, 71, 22, 1, img::PROGRAM_SLOTS);
    altCopyButton = button(tr("Copy"), other, 200, 160, 101, 23);
    altCopyButton->setEnabled(false);
    copySource = new otherConfiguration({fileEdit, browseButton, openButton, releaseButton, altCopyButton}, this);
    connect(copySource, &otherConfiguration::opened, this, [this] { lowLimit_2(altFromBox->value() - 1); });
    connect(copySource, &otherConfiguration::cleared, descriptionEdit, &QLineEdit::clear);

    connect(copyFromBox, &QSpinBox::valueChanged, this, &aprogram_settings_widget::lowLimit_1);
    connect(copyButton, &QPushButton::clicked, this, &aprogram_settings_widget::copyPgm);
    connect(altFromBox, &QSpinBox::valueChanged, this, &aprogram_settings_widget::lowLimit_2);
    connect(altCopyButton, &QPushButton::clicked, this, &aprogram_settings_widget::copyAltPgm);
}

void aprogram_settings_widget::refreshCopyTab()
{
    copyProgramLabel->setText(tr("Program: %1").arg(currentProgram + 1));
    showForeignDescription(controller().programDescriptions[size_t(copyFromBox->value() - 1)]);
}

void aprogram_settings_widget::lowLimit_1(int v)
{
    if (v >= 1 && v <= img::PROGRAM_SLOTS)
        showForeignDescription(controller().programDescriptions[size_t(v - 1)]);
    copyToBox->setMinimum(v);
}

void aprogram_settings_widget::lowLimit_2(int v)
{
    altToBox->setMinimum(v);
    if (const kv310_controller_class* other = copySource->show())
        showForeignDescription(other->programDescriptions[size_t(altFromBox->value() - 1)]);
}

void aprogram_settings_widget::rollOver()
{
    programTable& programs = controller().programs;
    programs.unpackPrograms(controller().configImage);
}

void aprogram_settings_widget::copyDone()
{
    emit relabelScenes();
    relabel();
    refresh();
}

void aprogram_settings_widget::copyPgm()
{
    programCopyRequest request;
    request.first = copyFromBox->value() - 1;
    request.last = copyToBox->value() - 1;
    request.destination = currentProgram;
    request.programSlots = programRows;
    request.pool = poolBox->value() - 1;
    request.reverse = reverseBox->isChecked();
    request.copyScenes = !noScenesBox->isChecked();
    request.messageParent = stepTable;
    if (programCopy::withinShow(controller(), request) == programCopy::copied)
        copyDone();
}

void aprogram_settings_widget::copyAltPgm()
{
    const kv310_controller_class* other = copySource->show();
    if (!other)
        return;
    programCopyRequest request;
    request.first = altFromBox->value() - 1;
    request.last = altToBox->value() - 1;
    request.destination = currentProgram;
    request.programSlots = programRows;
    request.pool = poolBox->value() - 1;
    request.reverse = reverseBox->isChecked();
    request.messageParent = stepTable;
    if (programCopy::fromOther(*other, controller(), request) == programCopy::copied)
        copyDone();
}
