#pragma once

#include <QPair>
#include <QTimeEdit>
#include <QWidget>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QEvent;
class QLabel;

// One time of day in 10-minute units (0..144, 144 = 24:00, shown as 23:59).
// A typed time snaps to the units; one step of the minutes moves one unit.
class DTL_Box : public QTimeEdit {
    Q_OBJECT
public:
    explicit DTL_Box(QWidget* parent);

    // Holds v and shows it; v itself is never changed, so a sun code set into
    // a box that its mode hides comes back unchanged.
    void setValue(uint8_t v);

    uint8_t value = 255;

public slots:
    void updateValue(QTime t);

private:
    void showValue();
    bool settingOwnTime = false;
};

// The in-cell editor of an action's daytime limit: a mode combo box, which
// for the modes with times gives way to a check box with one or two time
// boxes and the sun labels.
class DTL_widget : public QWidget {
    Q_OBJECT
public:
    // Modes in the order of the combo box.
    enum mode { NOT_SET, DAYTIME_ONLY, NIGHT_ONLY, MANUAL, FROM_SUNRISE, TO_SUNSET, FROM_SUNSET, TO_SUNRISE };

    explicit DTL_widget(QWidget* parent);
    ~DTL_widget() override;

    // Wide enough for the parts the mode shows.
    QSize sizeHint() const override;

    QCheckBox* enableBox;
    QComboBox* modeCombo;
    QLabel* fromLabel;
    QLabel* toLabel;
    DTL_Box* fromBox;
    DTL_Box* toBox;

signals:
    void leaved(QWidget* self);

public slots:
    void ability(int st);
    void chgMode(int ix);
    void leaveEvent(QEvent* event) override;

private:
    void showLabel(QLabel* label, const QString& text);
};

// Loads the limit bytes of an action into the editor.
void loadDaytimeLimit(DTL_widget* editor, uint8_t from, uint8_t to);
// The limit bytes the editor holds, from first and to second.
QPair<uint8_t, uint8_t> storedDaytimeLimit(const DTL_widget* editor);
// The cell text of the limit the editor holds.
QString daytimeLimitText(const DTL_widget* editor);
