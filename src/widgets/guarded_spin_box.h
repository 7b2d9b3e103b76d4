#pragma once

#include <QSpinBox>

// A spin box that announces its value as accepted when the keypad Enter key
// is pressed (the main Return key does not count) and when it loses the
// focus, also when the value did not change. The announcement carries the
// value held before the spin box's own handling of that key or focus loss.
class guardedSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit guardedSpinBox(QWidget* parent = nullptr);

Q_SIGNALS:
    void valueAccepted(int val);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};
