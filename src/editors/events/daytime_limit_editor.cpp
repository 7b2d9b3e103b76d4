#include "editors/events/daytime_limit_editor.h"

#include "model/events.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

constexpr int END_OF_DAY = 144;  // 24:00 in 10-minute units

}  // namespace

// ---- DTL_Box -----------------------------------------------------------------------

DTL_Box::DTL_Box(QWidget* parent)
    : QTimeEdit(parent)
{
    setMaximumTime(QTime(23, 59));
    setKeyboardTracking(false);
    showValue();
    connect(this, &QTimeEdit::timeChanged, this, &DTL_Box::updateValue);
}

void DTL_Box::showValue()
{
    // The box's own changes are no edits: they must not snap again.
    settingOwnTime = true;
    setTime(value >= END_OF_DAY ? QTime(23, 59) : QTime(value / 6, (value % 6) * 10));
    settingOwnTime = false;
}

void DTL_Box::setValue(uint8_t v)
{
    value = v;
    showValue();
}

void DTL_Box::updateValue(QTime t)
{
    if (settingOwnTime)
        return;
    if (!t.isValid()) {
        showValue();
        return;
    }
    const int m = t.hour() * 60 + t.minute();
    const int d = m - value * 10;
    int result;
    if (d == 1) {
        result = value + 1;
    } else if (d == -1) {
        result = value - 1;
    } else if (m % 10 == 0) {
        result = m / 10;
    } else {
        result = (d > 0 ? m + 5 : m - 5) / 10;
    }
    if (result == END_OF_DAY)
        value = END_OF_DAY;
    else if (result >= 0 && QTime::isValid(result / 6, (result % 6) * 10, 0))
        value = uint8_t(result);
    showValue();
}

// ---- DTL_widget --------------------------------------------------------------------

DTL_widget::DTL_widget(QWidget* parent)
    : QWidget(parent)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);

    enableBox = new QCheckBox(this);
    enableBox->setGeometry(2, 6, 18, 18);
    enableBox->hide();

    modeCombo = new QComboBox(this);
    modeCombo->setGeometry(0, 0, 100, 30);

    fromBox = new DTL_Box(this);
    fromBox->setDisplayFormat(QStringLiteral("h:mm"));
    fromBox->setValue(0);
    fromBox->setGeometry(20, 4, 55, 21);
    fromBox->hide();
    toBox = new DTL_Box(this);
    toBox->setDisplayFormat(QStringLiteral("h:mm"));
    toBox->setValue(END_OF_DAY);
    toBox->setGeometry(75, 4, 55, 21);
    toBox->hide();

    fromLabel = new QLabel(QStringLiteral(" "), this);
    fromLabel->setGeometry(20, 4, 55, 21);
    fromLabel->hide();
    toLabel = new QLabel(QStringLiteral(" "), this);
    toLabel->setGeometry(75, 4, 55, 21);
    toLabel->hide();
    // The labels lie under the boxes; a mode shows one of each pair at most.
    fromLabel->lower();
    toLabel->lower();

    modeCombo->addItem(tr("Not set"));
    modeCombo->addItem(tr("Daytime only"));
    modeCombo->addItem(tr("Night-time only"));
    modeCombo->addItem(tr("Set manually"));
    modeCombo->addItem(tr("From sunrise"));
    modeCombo->addItem(tr("To sunset"));
    modeCombo->addItem(tr("From sunset"));
    modeCombo->addItem(tr("To sunrise"));
    // Wide enough for the longest caption of the language in use.
    modeCombo->resize(qMax(100, modeCombo->sizeHint().width()), 30);

    connect(enableBox, &QCheckBox::stateChanged, this, &DTL_widget::ability);
    connect(modeCombo, &QComboBox::currentIndexChanged, this, &DTL_widget::chgMode);
}

DTL_widget::~DTL_widget()
{
    delete enableBox;
    delete fromBox;
    delete toBox;
    delete modeCombo;
    delete toLabel;
    delete fromLabel;
}

void DTL_widget::chgMode(int ix)
{
    if (ix < MANUAL || ix > TO_SUNRISE)
        return;
    enableBox->setCheckState(Qt::Checked);
    enableBox->show();
    modeCombo->hide();
    switch (ix) {
    case MANUAL:
        toBox->show();
        fromBox->show();
        break;
    case FROM_SUNRISE:
        showLabel(fromLabel, tr("sunrise - "));
        toBox->show();
        break;
    case TO_SUNSET:
        showLabel(toLabel, tr(" - sunset"));
        fromBox->show();
        break;
    case FROM_SUNSET:
        showLabel(fromLabel, tr("sunset - "));
        toBox->show();
        break;
    case TO_SUNRISE:
        showLabel(toLabel, tr(" - sunrise"));
        fromBox->show();
        break;
    default:
        break;
    }
    if (width() < sizeHint().width())
        resize(sizeHint().width(), height());
}

void DTL_widget::showLabel(QLabel* label, const QString& text)
{
    label->setText(text);
    // A longer translation widens the label rather than lose its end.
    label->resize(qMax(55, label->sizeHint().width()), label->height());
    label->show();
}

QSize DTL_widget::sizeHint() const
{
    int w = 0;
    for (const QWidget* part : {static_cast<const QWidget*>(enableBox), static_cast<const QWidget*>(modeCombo),
                                static_cast<const QWidget*>(fromLabel), static_cast<const QWidget*>(toLabel),
                                static_cast<const QWidget*>(fromBox), static_cast<const QWidget*>(toBox)})
        if (part->isVisibleTo(this))
            w = qMax(w, part->geometry().right() + 1);
    return QSize(w, 30);
}

void DTL_widget::ability(int st)
{
    if (st == Qt::Checked)
        return;
    modeCombo->setCurrentIndex(NOT_SET);
    toBox->hide();
    fromBox->hide();
    enableBox->hide();
    fromLabel->hide();
    toLabel->hide();
    modeCombo->show();
    close();
}

void DTL_widget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!fromBox->underMouse() && !toBox->underMouse() && !enableBox->underMouse() && modeCombo->currentIndex() > NIGHT_ONLY)
        emit leaved(this);
}

// ---- Mappings ----------------------------------------------------------------------

void loadDaytimeLimit(DTL_widget* editor, uint8_t from, uint8_t to)
{
    int mode;
    if (from == DAYTIME_NONE) {
        mode = DTL_widget::NOT_SET;
    } else if (from == DAYTIME_DAYNIGHT) {
        mode = to == DAYTIME_NONE ? DTL_widget::DAYTIME_ONLY : DTL_widget::NIGHT_ONLY;
    } else if (from == DAYTIME_SUNRISE) {
        mode = DTL_widget::FROM_SUNRISE;
    } else if (from == DAYTIME_SUNSET) {
        mode = DTL_widget::FROM_SUNSET;
    } else {
        if (from > END_OF_DAY)
            from = 0;
        if (to == DAYTIME_SUNSET) {
            mode = DTL_widget::TO_SUNSET;
        } else if (to == DAYTIME_SUNRISE) {
            mode = DTL_widget::TO_SUNRISE;
        } else {
            mode = DTL_widget::MANUAL;
            if (to > END_OF_DAY)
                to = END_OF_DAY;
        }
    }
    editor->modeCombo->setCurrentIndex(mode);
    if (mode <= DTL_widget::NIGHT_ONLY) {
        const QSignalBlocker quiet(editor->enableBox);
        editor->enableBox->setCheckState(Qt::Unchecked);
    } else {
        editor->enableBox->setCheckState(Qt::Checked);
        editor->fromBox->setValue(from);
        editor->toBox->setValue(to);
    }
}

QPair<uint8_t, uint8_t> storedDaytimeLimit(const DTL_widget* editor)
{
    const uint8_t from = editor->enableBox->isChecked() ? editor->fromBox->value : DAYTIME_NONE;
    const uint8_t to = editor->toBox->value;
    switch (editor->modeCombo->currentIndex()) {
    case DTL_widget::DAYTIME_ONLY:
        return {DAYTIME_DAYNIGHT, DAYTIME_NONE};
    case DTL_widget::NIGHT_ONLY:
        return {DAYTIME_DAYNIGHT, DAYTIME_DAYNIGHT};
    case DTL_widget::MANUAL:
        return {from, to};
    case DTL_widget::FROM_SUNRISE:
        return {DAYTIME_SUNRISE, to};
    case DTL_widget::TO_SUNSET:
        return {from, DAYTIME_SUNSET};
    case DTL_widget::FROM_SUNSET:
        return {DAYTIME_SUNSET, to};
    case DTL_widget::TO_SUNRISE:
        return {from, DAYTIME_SUNRISE};
    default:
        return {DAYTIME_NONE, DAYTIME_NONE};
    }
}

QString daytimeLimitText(const DTL_widget* editor)
{
    const QString from = editor->fromBox->time().toString(QStringLiteral("h:mm"));
    const QString to = editor->toBox->value == END_OF_DAY ? QStringLiteral("24:00")
                                                          : editor->toBox->time().toString(QStringLiteral("h:mm"));
    const int ix = editor->modeCombo->currentIndex();
    switch (ix) {
    case DTL_widget::NOT_SET:
    case DTL_widget::DAYTIME_ONLY:
    case DTL_widget::NIGHT_ONLY:
        return editor->modeCombo->itemText(ix);
    case DTL_widget::MANUAL:
        return QStringLiteral("%1 - %2 ").arg(from, to);
    case DTL_widget::FROM_SUNRISE:
        return QStringLiteral("sunrise - %1 ").arg(to);
    case DTL_widget::TO_SUNSET:
        return QStringLiteral("%1 - sunset").arg(from);
    case DTL_widget::FROM_SUNSET:
        return QStringLiteral("sunset - %1 ").arg(to);
    case DTL_widget::TO_SUNRISE:
        return QStringLiteral("%1 - sunrise").arg(from);
    default:
        return QString();
    }
}
