#pragma once

#include <QWidget>
#include <cstdint>

class MyTimeEdit;
class QCheckBox;
class QPushButton;

// The small window in which the time of a delay is set: "Defined" with the
// time from 0.1 s to 23:59:59.9, "O.K." and "Cancel". It closes itself by
// emitting save(this) and then abort(this), or abort(this) alone; its
// delegate passes them on as commit and close.
class delayTimeEdit : public QWidget {
    Q_OBJECT
public:
    explicit delayTimeEdit(QWidget* parent);

    MyTimeEdit* timeEdit;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QCheckBox* definedBox;

signals:
    void abort(QWidget* editor);
    void save(QWidget* editor);

public slots:
    // Enables the time edit while "Defined" is checked.
    void newCheckState(int st);
    // The time shown in tenths (1..863999); 0xFFFFFFFF while not defined.
    uint32_t value();
    // Shows a time of 1..864000 tenths as defined; any other value as not
    // defined, the time edit keeping what it showed.
    void setValue(uint32_t t);
    void slotAbort();
    void slotSave();

private:
    bool closing = false;  // abort() was emitted: the editor is done with
};
