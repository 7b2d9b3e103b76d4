#include "editors/events/delay_time_edit.h"

#include "model/config_image.h"
#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QPushButton>
#include <algorithm>

delayTimeEdit::delayTimeEdit(QWidget* parent)
    : QWidget(parent)
{
    resize(230, 72);
    timeEdit = new MyTimeEdit(this);
    timeEdit->setGeometry(20, 40, 111, 22);
    timeEdit->setDisplayFormat(QStringLiteral("HH'h' mm'm' ss.zzz's'"));
    timeEdit->setMinimumTime(QTime(0, 0, 0, 100));
    timeEdit->setEnabled(false);
    okButton = new QPushButton(QStringLiteral("O.K."), this);
    okButton->setGeometry(140, 8, 70, 23);
    cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setGeometry(140, 40, 70, 23);
    definedBox = new QCheckBox(tr("Defined"), this);
    definedBox->setGeometry(20, 10, 111, 18);
    definedBox->setChecked(false);

    // Longer captions (translations) widen their controls and the window.
    const int time = qMax(111, timeEdit->sizeHint().width());
    const int box = qMax(111, definedBox->sizeHint().width());
    const int left = qMax(time, box);
    timeEdit->resize(left, 22);
    definedBox->resize(left, 18);
    const int buttons = std::max({70, okButton->sizeHint().width(), cancelButton->sizeHint().width()});
    okButton->setGeometry(20 + left + 9, 8, buttons, 23);
    cancelButton->setGeometry(20 + left + 9, 40, buttons, 23);
    resize(qMax(230, okButton->x() + buttons + 20), 72);

    connect(definedBox, &QCheckBox::stateChanged, this, &delayTimeEdit::newCheckState);
    connect(cancelButton, &QPushButton::clicked, this, &delayTimeEdit::slotAbort);
    connect(okButton, &QPushButton::clicked, this, &delayTimeEdit::slotSave);
}

void delayTimeEdit::newCheckState(int st)
{
    timeEdit->setEnabled(st == Qt::Checked);
}

uint32_t delayTimeEdit::value()
{
    if (!definedBox->isChecked())
        return 0xFFFFFFFF;
    const QTime t = timeEdit->time();
    const uint32_t tenths = uint32_t((t.hour() * 3600 + t.minute() * 60 + t.second()) * 10 + t.msec() / 100);
    if (tenths > delayWord::MAX_TIME) {
        setValue(0xFFFFFFFF);
        return 0xFFFFFFFF;
    }
    return tenths;
}

void delayTimeEdit::setValue(uint32_t t)
{
    if (t < 1 || t > 864000) {
        definedBox->setChecked(false);
        return;
    }
    // A whole day is more than the edit shows; its last tenth is the nearest.
    t = qMin(t, delayWord::MAX_TIME);
    timeEdit->setTime(QTime(int(t / 36000), int((t / 600) % 60), int((t / 10) % 60), int(t % 10) * 100));
    definedBox->setChecked(true);
}

void delayTimeEdit::slotAbort()
{
    if (closing)
        return;
    closing = true;
    emit abort(this);
}

void delayTimeEdit::slotSave()
{
    if (closing)
        return;
    emit save(this);
    slotAbort();
}
