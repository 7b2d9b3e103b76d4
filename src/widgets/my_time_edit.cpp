#include "widgets/my_time_edit.h"

MyTimeEdit::MyTimeEdit(QWidget* parent)
    : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("hh:mm:ss.zzz"));
    watchedEdit = this;
    attachCorrection();
    // The standard notification reaches its receivers in the order they were
    // connected, and a correction made inside that delivery is seen by the
    // receivers behind the handler before the uncorrected value reaches them.
    // The date-time notification comes just before every time notification,
    // so the handler is moved behind all receivers connected since.
    connect(watchedEdit, &QDateTimeEdit::dateTimeChanged, this, &MyTimeEdit::keepCorrectionLast);
}

MyTimeEdit::MyTimeEdit(QTime time, QWidget* parent)
    : MyTimeEdit(parent)
{
    setTime(time);
}

void MyTimeEdit::attachCorrection()
{
    connect(watchedEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &MyTimeEdit::updateDisplay);
}

void MyTimeEdit::keepCorrectionLast()
{
    // While a correction is being set the handler is detached and stays so.
    if (disconnect(watchedEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &MyTimeEdit::updateDisplay))
        attachCorrection();
}

void MyTimeEdit::updateDisplay(QTime t)
{
    const int m = t.msec();
    const int r = m % 100;
    if (r == 0) {
        Q_EMIT timeChanged(t);
        return;
    }
    int c;
    if (m > 900)
        c = 900;
    else if (r <= 50)
        c = m - r + 100;
    else
        c = m - r;

    disconnect(watchedEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &MyTimeEdit::updateDisplay);
    watchedEdit->setTime(QTime(t.hour(), t.minute(), t.second(), c));
    attachCorrection();
    // What the edit now holds: the corrected time, unless the edit's own range
    // moved it further.
    QTime corrected = watchedEdit->time();
    Q_EMIT timeChanged(corrected);
}
