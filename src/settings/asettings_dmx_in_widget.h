#pragma once

#include <QCheckBox>
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class cellSelection;
class checkGridView;
class guardedSpinBox;
class phaseGridModel;

// The DMX input settings page (settings tab "DMX Input"): the number of DMX
// input channels in use and, for each of the 512 input channels, whether it
// can set the phases of scenes and masks (a ticked cell of the phase grid).
// A bulk tool below the grid ticks, unticks or inverts a range of cells with
// a step. The active scenes' control channel is shown ticked, amber and
// locked. Every change goes straight into the image of `theController`.
class asettings_dmx_in_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_dmx_in_widget(QWidget* parent);

    QLabel* limitCaption;
    QLabel* gridCaption;
    QSpinBox* inputLimitBox;
    checkGridView* phaseGrid;   // 16 x 32 cells, channel 32 * row + column
    phaseGridModel* phaseCells;  // what phaseGrid shows
    QLabel* toLabel;
    QLabel* chooseAllLabel;
    QCheckBox* rangeCheck;
    QCheckBox* stepCheck;
    QSpinBox* stepBox;
    guardedSpinBox* fromBox;
    guardedSpinBox* toBox;
    QRadioButton* selectRadio;
    QRadioButton* deselectRadio;
    QRadioButton* invertRadio;
    QPushButton* executeButton;
    cellSelection* bulkTool;     // reads and wires the tool's boxes

    int refreshCount = 0;  // reloads from the image so far

    // Whether the user cannot change the channel's cell: beyond the limit,
    // or the active scenes' control channel.
    bool isLocked(int channel) const;
    // The bulk tool's range boxes end at channel n, the output channel
    // limit, whenever it changes (n of 1..512; anything else names no limit).
    void limitRangeBoxes(int n);

public slots:
    void refresh();
    // Writes the channel's phase mask bit from its cell.
    void boxChanged(int channel);
    // Applies the value of the limit box as the input channel limit, when
    // it differs from the stored one.
    void chgLimit();
    // Runs the bulk tool.
    void selectSome();
};
