#include "editors/events/aevents_clock_widget.h"

#include "editors/events/aevents_clock_set_widget.h"
#include "editors/events/aevents_conf_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QDateTime>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int CLOCK_PAGE = 2;
constexpr int TIMERS = img::TIMER_RECORDS;
constexpr int FIRST_TIMER_ROW = 2;
constexpr int SETTINGS_COLUMN = 1;
constexpr int MAX_SUN_DELAY = 240;   // minutes
constexpr int SUN_DELAY_UNIT = 5;    // minutes
constexpr uint16_t SUN_EVENTS_OFF = 0xFFFF;
constexpr int MINUTES_PER_DAY = 1440;
constexpr int CLEAR_RIGHT = 840;  // the right edge of the page's controls
constexpr int FORM_WIDTH = 532;   // the timer form as designed
constexpr int FORM_LEFTMOST = 240;  // just right of the list
constexpr int CAPTION_GAP = 3;      // between the caption and the form or button
constexpr int CAPTION_OVERHANG = 6; // how far the caption may reach right of the controls

QString twoDigits(int v)
{
    return v <= 9 ? QStringLiteral("0%1").arg(v) : QStringLiteral("%1").arg(v);
}

}  // namespace

aevents_clock_widget::aevents_clock_widget(QWidget* parent)
    : aevents_source_page(parent)
    , today([] {
        const QDateTime now = QDateTime::currentDateTime();
        return day{now.date(), now.isDaylightTime()};
    })
{
    makeList(this, TIMERS, {tr("Timer", "column name"), tr("Timer Settings", "column name")}, {80, 120},
             QRect(10, 20, 225, 570), [this](int row, int column, int role) { return cell(row, column, role); });

    sunDelayLabel = makeLabel(QString(), QRect(300, 32, 220, 24), Qt::AlignRight);
    sunDelayLabel->hide();
    sunDelayBox = new QSpinBox(this);
    sunDelayBox->setGeometry(530, 30, 90, 24);
    sunDelayBox->setRange(-MAX_SUN_DELAY, MAX_SUN_DELAY);
    sunDelayBox->setSingleStep(SUN_DELAY_UNIT);
    sunDelayBox->setSuffix(tr(" min."));
    // A typed delay counts once it is complete, not at every digit.
    sunDelayBox->setKeyboardTracking(false);
    sunDelayBox->hide();
    sunTimeLabel = makeLabel(QStringLiteral("Today sunrise time: "), QRect(300, 62, 320, 24), Qt::AlignRight);

    targetDescriptionEdit = makeDescriptionEdit(parent, QRect(250, 585, 581, 21), true);
    descriptionEdit = makeDescriptionEdit(this, QRect(200, 615, 631, 21), false);
    clearButton = new QPushButton(tr("Clear"), this);
    clearButton->setFont(pageStyle::listFont());
    clearButton->setGeometry(790, 40, 50, 30);

    makePanel(CLOCK_PAGE, this, QRect(250, 100, 605, 520));
    timerForm = new aevents_clock_set_widget(this);
    // A form widened for longer captions takes the room left of it first.
    timerForm->move(qMax(FORM_LEFTMOST, 250 - (timerForm->width() - FORM_WIDTH)), 10);
    // A caption longer than the button widens it to the left, up to the
    // form, which may itself have grown for longer captions.
    const int clearWidth =
        qMax(clearButton->width(), clearButton->fontMetrics().horizontalAdvance(clearButton->text()) + 16);
    clearButton->setGeometry(qMax(timerForm->geometry().right() + 4, CLEAR_RIGHT - clearWidth), clearButton->y(),
                             clearWidth, clearButton->height());
    connect(timerForm, &aevents_clock_set_widget::changed, this, &aevents_clock_widget::updateStr);
    currentEvent = EVENT_SUNRISE;
    timerForm->setTimer(currentEvent);
    actionPanel->setEvent(currentEvent);
    // The caption heads the column of the Clear button, above the action
    // table's header: right of the timer form, over the button.
    const QRect clear = clearButton->geometry();
    const int captionLeft = timerForm->geometry().right() + CAPTION_GAP;
    const int captionRight = qMax(clear.right(), CLEAR_RIGHT) + CAPTION_OVERHANG;
    titleLabel = makeLabel(tr("Sunrise"), QRect(captionLeft, 0, captionRight - captionLeft + 1, clear.top() - CAPTION_GAP),
                           Qt::AlignCenter);
    captionLabel = makeLabel(tr("Event description:"), QRect(10, 615, 180, 21), Qt::AlignRight);

    connect(clearButton, &QPushButton::clicked, timerForm, &aevents_clock_set_widget::clearAll);
    connect(eventList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &aevents_clock_widget::timerChange);
    connectDescriptions();
    connect(sunDelayBox, &QSpinBox::valueChanged, this, &aevents_clock_widget::sunService);

    refresh();
}

QString aevents_clock_widget::timerText(int eventId)
{
    const int i = eventId - EVENT_TIMER;
    if (!theController || i < 0 || i >= TIMERS)
        return QString();
    const timerRecord& r = theController->timerTable[size_t(i)];
    const auto bcd = [](uint8_t b) { return kv310_controller_class::fromBcd(b); };

    const QString hour = r.hour == 0xFF ? QStringLiteral("--") : twoDigits(bcd(r.hour));
    const QString minute = r.minute == 0xFF ? QStringLiteral("--") : twoDigits(bcd(r.minute));
    static const char* const days[] = {QT_TR_NOOP("Mo"), QT_TR_NOOP("Tu"), QT_TR_NOOP("We"), QT_TR_NOOP("Th"),
                                       QT_TR_NOOP("Fr"), QT_TR_NOOP("Sa"), QT_TR_NOOP("Su")};
    const QString dayOfWeek =
        r.dayOfWeek >= 1 && r.dayOfWeek <= 7 ? tr(days[r.dayOfWeek - 1]) : QStringLiteral("--");
    const QString day = r.day == 0xFF ? QStringLiteral("--.") : twoDigits(bcd(r.day)) + QLatin1Char('.');
    const QString month = r.month == 0xFF ? QStringLiteral("--.") : twoDigits(bcd(r.month)) + QLatin1Char('.');
    const QString year = r.year == 0xFF ? QStringLiteral("----") : QString::number(bcd(r.year) + 2000);
    return hour + QLatin1Char(':') + minute + QLatin1Char(' ') + dayOfWeek + QLatin1Char(' ') + day + month + year;
}

QString aevents_clock_widget::sunDelayText(int delay)
{
    const QString sign = delay > 0 ? QStringLiteral("+") : delay < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    const int magnitude = qAbs(delay);
    return QStringLiteral("      %1%2 h %3 min.").arg(sign).arg(magnitude / 12).arg((magnitude % 12) * 5);
}

bool aevents_clock_widget::sunEventsOff() const
{
    return !theController || img::getU16(theController->configImage, img::sunEvents) == SUN_EVENTS_OFF;
}

QVariant aevents_clock_widget::cell(int row, int column, int role) const
{
    // The sun rows keep the list's own colour, actions or not.
    if (role == Qt::BackgroundRole)
        return row >= FIRST_TIMER_ROW ? QVariant(rowBrush(hasActions(EVENT_TIMER + row), false)) : QVariant();
    if (role != Qt::DisplayRole)
        return QVariant();
    if (column != SETTINGS_COLUMN) {
        if (row < FIRST_TIMER_ROW)
            return row == 0 ? tr("Sunrise") : tr("Sunset");
        return tr("Timer %1", "timer with number").arg(row + 1);
    }
    if (row >= FIRST_TIMER_ROW)
        return timerText(EVENT_TIMER + row);
    if (sunEventsOff())
        return tr("disabled");
    return sunDelayText(int(int8_t(theController->configImage[row == 0 ? img::sunriseDelay : img::sunsetDelay])));
}

void aevents_clock_widget::showSunEvent(bool sunrise)
{
    const uint32_t at = sunrise ? img::sunriseDelay : img::sunsetDelay;
    const bool off = sunEventsOff();
    const int delay = theController ? int(int8_t(theController->configImage[at])) : 0;
    if (off) {
        sunDelayBox->hide();
        sunDelayLabel->hide();
    } else {
        {
            const QSignalBlocker quiet(sunDelayBox);
            sunDelayBox->setValue(delay * SUN_DELAY_UNIT);
        }
        sunDelayLabel->setText(sunrise ? tr("Sunrise Event Delay") : tr("Sunset Event Delay"));
        sunDelayBox->show();
        sunDelayLabel->show();
    }

    // The time the controller raises the event today: the sun table's
    // time, the delay, and an hour more while daylight saving is in force.
    const day d = today();
    const int entry = qBound(0, d.date.dayOfYear() - 1, img::SUN_ENTRIES - 1);
    const uint32_t sunTimes = theController ? img::getU32(theController->configImage, img::sunTable + 4u * uint32_t(entry))
                                            : 0xFFFFFFFF;
    const int minutes = int(sunrise ? (sunTimes & 0xFFFF) : (sunTimes >> 16));
    const QString pattern = sunrise ? tr("Today sunrise time: %1:%2 ") : tr("Today sunset time: %1:%2 ");
    if (minutes >= MINUTES_PER_DAY) {
        // A day the sun table does not describe.
        sunTimeLabel->setText(pattern.arg(QStringLiteral("--"), QStringLiteral("--")));
    } else {
        uint16_t t = uint16_t(minutes);
        if (!off)
            t = uint16_t(t + delay * SUN_DELAY_UNIT);
        if (d.daylightSaving)
            t = uint16_t(t + 60);
        sunTimeLabel->setText(pattern.arg(t / 60).arg(twoDigits(t % 60)));
    }
    sunTimeLabel->show();
}

void aevents_clock_widget::refresh()
{
    ++refreshCount;
    eventModel->allChanged();
    const int row = currentRow();
    if (row >= FIRST_TIMER_ROW) {
        sunDelayBox->hide();
        sunDelayLabel->hide();
        sunTimeLabel->hide();
        timerForm->load();
        clearButton->show();
    } else {
        timerForm->hide();
        clearButton->hide();
        showSunEvent(row == 0);
    }
    actionPanel->refresh();
    if (row == 0)
        setTitle(tr("Sunrise"));
    else if (row == 1)
        setTitle(tr("Sunset"));
    else
        setTitle(tr("Timer\nno. %1").arg(row + 1));
    if (theController)
        descriptionEdit->setText(theController->eventDescriptions[size_t(currentEvent)].trimmed());
}

void aevents_clock_widget::timerChange(const QModelIndex& index_current, const QModelIndex&)
{
    if (index_current.isValid() && index_current.row() < TIMERS) {
        timerForm->setTimer(EVENT_TIMER + index_current.row());
        selectEvent(EVENT_TIMER + index_current.row());
    }
    refresh();
}

void aevents_clock_widget::updateStr()
{
    const int row = currentEvent - EVENT_TIMER;
    if (row < 0 || row >= TIMERS)
        return;
    eventModel->rowChanged(row);
}

void aevents_clock_widget::sunService(int minutes)
{
    if (!theController || minutes < -MAX_SUN_DELAY || minutes > MAX_SUN_DELAY)
        return;
    const bool sunrise = currentRow() == 0;
    uint8_t* image = theController->configImage;
    const uint8_t value = uint8_t(int8_t(minutes / SUN_DELAY_UNIT));
    const uint8_t other = image[sunrise ? img::sunsetDelay : img::sunriseDelay];
    if (value == 0xFF && other == 0xFF) {
        // Both bytes 0xFF are the word that switches the sun events off.
        showMessage(QMessageBox::Warning, theMainWindow, tr("Warning!"),
                    tr("Sunrise and sunset cannot both be delayed by -5 min.:\n"
                       "the controller would take that for sun events switched off."));
    } else {
        image[sunrise ? img::sunriseDelay : img::sunsetDelay] = value;
    }
    refresh();
}
