#include "editors/events/aevents_clock_set_widget.h"

#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QDate>
#include <QSignalBlocker>
#include <algorithm>

namespace {

constexpr int ANY = 255;
constexpr uint8_t ANY_BYTE = 0xFF;

// Shows a field as any (ticked, disabled) or as the value it holds.
template <typename Field>
void showAny(QCheckBox* any, Field* field, bool isAny)
{
    any->setChecked(isAny);
    field->setEnabled(!isAny);
}

}  // namespace

aevents_clock_set_widget::aevents_clock_set_widget(QWidget* parent)
    : QWidget(parent)
{
    setupUi(this);
    comboBoxDw->addItems({tr("Monday"), tr("Tuesday"), tr("Wednesday"), tr("Thursday"), tr("Friday"),
                          tr("Saturday"), tr("Sunday")});
    fitTexts();

    connect(checkBoxHourAny, &QCheckBox::clicked, this, &aevents_clock_set_widget::hourAnyChange);
    connect(checkBoxMinAny, &QCheckBox::clicked, this, &aevents_clock_set_widget::minAnyChange);
    connect(checkBoxDwAny, &QCheckBox::clicked, this, &aevents_clock_set_widget::dOWAnyChange);
    connect(checkBoxDmAny, &QCheckBox::clicked, this, &aevents_clock_set_widget::dOMAnyChange);
    connect(checkBoxMAny, &QCheckBox::clicked, this, &aevents_clock_set_widget::mAnyChange);
    connect(checkBoxYAny, &QCheckBox::clicked, this, &aevents_clock_set_widget::yAnyChange);
    connect(spinBoxHour, &QSpinBox::valueChanged, this, &aevents_clock_set_widget::hourChange);
    connect(spinBoxMin, &QSpinBox::valueChanged, this, &aevents_clock_set_widget::minChange);
    connect(spinBoxDm, &QSpinBox::valueChanged, this, &aevents_clock_set_widget::dOMChange);
    connect(spinBoxM, &QSpinBox::valueChanged, this, &aevents_clock_set_widget::mChange);
    connect(spinBoxY, &QSpinBox::valueChanged, this, &aevents_clock_set_widget::yChange);
    connect(comboBoxDw, &QComboBox::currentIndexChanged, this, &aevents_clock_set_widget::dOWChange);
}

void aevents_clock_set_widget::fitTexts()
{
    // The fields and boxes are in the normal weight of the page's controls;
    // only the group titles and the colon are bold.
    for (QWidget* control : findChildren<QWidget*>()) {
        if (qobject_cast<QCheckBox*>(control) || qobject_cast<QSpinBox*>(control)
            || qobject_cast<QComboBox*>(control)) {
            QFont f = control->font();
            f.setBold(false);
            control->setFont(f);
        }
    }
    // Captions longer than their places (in some languages) widen their
    // controls, an "Any" box first into the free margin on its left; a group
    // that then needs more room grows, and the groups right of it move along.
    if (comboBoxDw->sizeHint().width() > comboBoxDw->width())
        comboBoxDw->resize(comboBoxDw->sizeHint().width(), comboBoxDw->height());
    constexpr int MARGIN_USED = 6;
    constexpr int GAP = 2;
    constexpr int RIGHT_MARGIN = 3;
    int shift = 0;
    for (QGroupBox* group : {groupBox, groupBox_5, groupBox_2, groupBox_3, groupBox_4}) {
        group->move(group->x() + shift, group->y());
        QList<QCheckBox*> boxes = group->findChildren<QCheckBox*>();
        std::sort(boxes.begin(), boxes.end(), [](QCheckBox* a, QCheckBox* b) { return a->x() < b->x(); });
        int previousRight = -GAP;
        for (QCheckBox* box : boxes) {
            const int needed = box->sizeHint().width();
            if (needed > box->width())
                box->setGeometry(qMax(previousRight + GAP, box->x() - MARGIN_USED), box->y(), needed, box->height());
            previousRight = box->x() + box->width();
        }
        int right = 0;
        for (QWidget* child : group->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            right = qMax(right, child->x() + child->width());
        const int grow = right > group->width() ? right + RIGHT_MARGIN - group->width() : 0;
        group->resize(group->width() + grow, group->height());
        shift += grow;
    }
    resize(width() + shift, height());
}

timerRecord* aevents_clock_set_widget::record() const
{
    const int i = currentTimer - EVENT_TIMER;
    if (!theController || i < 0 || i >= img::TIMER_RECORDS)
        return nullptr;
    return &theController->timerTable[size_t(i)];
}

void aevents_clock_set_widget::setTimer(int eventId)
{
    currentTimer = eventId;
    load();
}

void aevents_clock_set_widget::load()
{
    const timerRecord* r = record();
    if (r) {
        const timerRecord copy = *r;
        // Showing a timer is no edit of it.
        const QSignalBlocker b1(spinBoxY), b2(spinBoxM), b3(spinBoxDm), b4(comboBoxDw), b5(spinBoxHour),
            b6(spinBoxMin);
        showAny(checkBoxYAny, spinBoxY, copy.year == ANY_BYTE);
        if (copy.year != ANY_BYTE)
            spinBoxY->setValue(kv310_controller_class::fromBcd(copy.year) + 2000);
        showAny(checkBoxMAny, spinBoxM, copy.month == ANY_BYTE);
        if (copy.month != ANY_BYTE)
            spinBoxM->setValue(kv310_controller_class::fromBcd(copy.month));
        showAny(checkBoxDmAny, spinBoxDm, copy.day == ANY_BYTE);
        if (copy.day != ANY_BYTE) {
            // The box may still be limited by the timer shown before.
            spinBoxDm->setMaximum(31);
            spinBoxDm->setValue(kv310_controller_class::fromBcd(copy.day));
        }
        showAny(checkBoxDwAny, comboBoxDw, copy.dayOfWeek == ANY_BYTE);
        if (copy.dayOfWeek != ANY_BYTE)
            comboBoxDw->setCurrentIndex(copy.dayOfWeek >= 1 && copy.dayOfWeek <= 7 ? copy.dayOfWeek - 1 : 0);
        showAny(checkBoxHourAny, spinBoxHour, copy.hour == ANY_BYTE);
        if (copy.hour != ANY_BYTE)
            spinBoxHour->setValue(kv310_controller_class::fromBcd(copy.hour));
        showAny(checkBoxMinAny, spinBoxMin, copy.minute == ANY_BYTE);
        if (copy.minute != ANY_BYTE)
            spinBoxMin->setValue(kv310_controller_class::fromBcd(copy.minute));

        const int y = checkBoxYAny->isChecked() ? 2000 : spinBoxY->value();
        const int m = checkBoxMAny->isChecked() ? 8 : spinBoxM->value();
        spinBoxDm->setMaximum(QDate(y, m, 1).daysInMonth());
    }
    show();
}

void aevents_clock_set_widget::adjustDayRange()
{
    // An unknown year is taken as a leap year and an unknown month as a long
    // one, so that no day is refused that some date allows.
    const int y = checkBoxYAny->isChecked() ? 2000 : spinBoxY->value();
    const int m = checkBoxMAny->isChecked() ? 8 : spinBoxM->value();
    const int days = QDate(y, m, 1).daysInMonth();
    if (spinBoxDm->value() > days) {
        if (checkBoxDmAny->isChecked()) {
            // The day stays any: the box only shows what unticking would store.
            const QSignalBlocker quiet(spinBoxDm);
            spinBoxDm->setValue(days);
        } else {
            spinBoxDm->setValue(days);
        }
    }
    const QSignalBlocker quiet(spinBoxDm);
    spinBoxDm->setMaximum(days);
}

void aevents_clock_set_widget::hourAnyChange(bool checked)
{
    hourChange(checked ? ANY : spinBoxHour->value());
}

void aevents_clock_set_widget::hourChange(int v)
{
    if (timerRecord* r = record(); r && ((v >= 0 && v <= 23) || v == ANY))
        r->hour = uint8_t(kv310_controller_class::toBcd(v));
    emit changed();
}

void aevents_clock_set_widget::minAnyChange(bool checked)
{
    minChange(checked ? ANY : spinBoxMin->value());
}

void aevents_clock_set_widget::minChange(int v)
{
    if (timerRecord* r = record(); r && ((v >= 0 && v <= 59) || v == ANY))
        r->minute = uint8_t(kv310_controller_class::toBcd(v));
    emit changed();
}

void aevents_clock_set_widget::dOWAnyChange(bool checked)
{
    dOWChange(checked ? ANY : comboBoxDw->currentIndex());
}

void aevents_clock_set_widget::dOWChange(int v)
{
    if (timerRecord* r = record(); r && ((v >= 0 && v <= 6) || v == ANY))
        r->dayOfWeek = v == ANY ? ANY_BYTE : uint8_t(v + 1);
    emit changed();
}

void aevents_clock_set_widget::dOMAnyChange(bool checked)
{
    dOMChange(checked ? ANY : spinBoxDm->value());
}

void aevents_clock_set_widget::dOMChange(int v)
{
    if (timerRecord* r = record(); r && ((v >= 1 && v <= 31) || v == ANY))
        r->day = uint8_t(kv310_controller_class::toBcd(v));
    emit changed();
}

void aevents_clock_set_widget::mAnyChange(bool checked)
{
    mChange(checked ? ANY : spinBoxM->value());
}

void aevents_clock_set_widget::mChange(int v)
{
    if (timerRecord* r = record(); r && ((v >= 1 && v <= 12) || v == ANY)) {
        r->month = uint8_t(kv310_controller_class::toBcd(v));
        adjustDayRange();
    }
    emit changed();
}

void aevents_clock_set_widget::yAnyChange(bool checked)
{
    yChange(checked ? ANY : spinBoxY->value());
}

void aevents_clock_set_widget::yChange(int v)
{
    if (timerRecord* r = record(); r && v >= 0 && v <= 9999) {
        r->year = v == ANY ? ANY_BYTE : uint8_t(kv310_controller_class::toBcd(v % 100));
        adjustDayRange();
    }
    emit changed();
}

void aevents_clock_set_widget::clearAll(bool)
{
    for (QCheckBox* any : {checkBoxMAny, checkBoxDmAny, checkBoxMinAny, checkBoxHourAny, checkBoxDwAny, checkBoxYAny})
        if (!any->isChecked())
            any->click();
}
