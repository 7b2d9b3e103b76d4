#pragma once

#include "ui_state_conds.h"

#include <QGroupBox>
#include <QWidget>
#include <cstdint>

class QRadioButton;

// The condition of one internal state: ignore it, or run the action only
// while the state is set, or only while it is not.
class setStateClass : public QGroupBox {
    Q_OBJECT
public:
    explicit setStateClass(QWidget* parent = nullptr);
    ~setStateClass() override;

    QRadioButton* ignoreButton;
    QRadioButton* whenSetButton;
    QRadioButton* whenUnsetButton;
};

// The state-limit editor: a window with one row per state S1..S68. "Set"
// emits save and then abort, "Cancel" abort alone; the action table's
// delegate turns them into commit and close.
class StL_widget : public QWidget, public Ui::StateConds {
    Q_OBJECT
public:
    static constexpr int STATES = 68;

    explicit StL_widget(QWidget* parent);

    // The condition widget of state row i (0..67).
    setStateClass* stateRow(int i) const;
    // Whether "Set" was pressed: only then are the conditions stored,
    // whatever else (another row clicked, the show read) asks the table to
    // store its open editor.
    bool confirmed() const { return setPressed; }

signals:
    void abort(QWidget* editor);
    void save(QWidget* editor);

public slots:
    void slotAbort();
    void slotSave();
    void clearAll();

private:
    bool setPressed = false;
};

// Loads an action's state conditions (states1to4 and the four words of
// states5to68) into the editor's rows.
void loadStateLimits(StL_widget* editor, uint8_t states1to4, const uint32_t words[4]);
// The conditions the editor's rows hold; a row with no button checked
// stores "when unset".
uint8_t storedStateLimits(const StL_widget* editor, uint32_t words[4]);
