#pragma once

#include <QTime>
#include <QTimeEdit>

// A time edit that keeps every time on a whole tenth of a second, the
// resolution of the stored time codes. Any other millisecond value is
// corrected at once: a remainder of 1 to 50 (modulo 100) rounds up, 51 to 99
// rounds down, and the milliseconds never go above 900. Stepping the
// millisecond section therefore moves by 100 ms.
//
// Two notifications share the name timeChanged:
//   - timeChanged(QTime), the standard one of QDateTimeEdit: raised for the
//     time as entered and, after a correction, again for the corrected time;
//     receivers end with the corrected value;
//   - timeChanged(QTime&), declared here: raised once per change, with the
//     corrected time only.
// The declaration here hides the standard one from MyTimeEdit's scope, so
// name the class that declares the one meant:
//   connect(edit, qOverload<QTime&>(&MyTimeEdit::timeChanged), ...);    // corrected
//   connect(edit, qOverload<QTime>(&QDateTimeEdit::timeChanged), ...);  // standard
// (&QTimeEdit::timeChanged names the standard one as well.)
class MyTimeEdit : public QTimeEdit {
    Q_OBJECT
public:
    explicit MyTimeEdit(QWidget* parent = nullptr);
    explicit MyTimeEdit(QTime time, QWidget* parent = nullptr);

    // The time edit whose standard notification drives the correction; this
    // widget itself.
    QTimeEdit* watchedEdit;

Q_SIGNALS:
    void timeChanged(QTime& time);

public Q_SLOTS:
    void updateDisplay(QTime t);

private Q_SLOTS:
    void keepCorrectionLast();

private:
    void attachCorrection();
};
