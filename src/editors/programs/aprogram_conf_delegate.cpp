#include "editors/programs/aprogram_conf_delegate.h"

#include "editors/programs/aprogram_conf_widget.h"
#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "widgets/inf_time_class.h"
#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>

namespace {

constexpr int TENTHS_PER_DAY = 864000;
// The longest duration a step record holds; 0xFFFF there means infinite.
constexpr int LONGEST_DURATION = 0xFFFE;

enum column { SCENE, FADE_UP, DURATION, FADE_DOWN, PROGRAM_TIME, EVENT };

programTable& programs()
{
    return theController->programs;
}

bool isLastRow(const QModelIndex& index)
{
    return index.row() + 1 == index.model()->rowCount();
}

// The running total at the end of the cell's step in tenths; -1 undetermined.
int programTimeOf(const QModelIndex& index)
{
    const QVariant total = index.data(progTimeTenthsRole);
    return total.isValid() ? total.toInt() : -1;
}

// Day of a running total: a program time editor works within the day of the
// step's present time and shows the day in front of the time.
int dayStart(int total)
{
    return total / TENTHS_PER_DAY * TENTHS_PER_DAY;
}

} // namespace

aprogram_conf_delegate::aprogram_conf_delegate(aprogram_conf_widget* table)
    : cellEditorDelegate(table)
    , table(table)
{
}

void aprogram_conf_delegate::setProgramRunMode(int n)
{
    programModeRepeat = n;
}

void aprogram_conf_delegate::setProgramNumber(int p)
{
    programNumber = p;
}

bool aprogram_conf_delegate::programTimeRange(int row, int total, int& lowest, int& highest) const
{
    if (total < 0 || !theController)
        return false;
    const programTable& steps = programs();
    const int own = toTenths(steps.duration(programNumber, row));
    // u, the change of the step's duration, keeps it within 0..LONGEST_DURATION.
    int less = own;
    int more = LONGEST_DURATION - own;
    const bool hasNext = row + 1 < steps.stepCount(programNumber);
    if (hasNext) {
        const int next = toTenths(steps.duration(programNumber, row + 1));
        more = qMin(more, next);
        // The next step gives up what this one gains, and takes what it loses.
        if (!steps.isInfinite(programNumber, row + 1))
            less = qMin(less, LONGEST_DURATION - next);
    }
    lowest = total - qMax(0, less);
    highest = total + qMax(0, more);
    const int day = dayStart(total);
    lowest = qMax(lowest, day);
    highest = qMin(highest, day + TENTHS_PER_DAY - 1);
    return lowest < highest;
}

QWidget* aprogram_conf_delegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                              const QModelIndex& index) const
{
    QWidget* editor = nullptr;
    switch (index.column()) {
    case SCENE: {
        auto* box = new QSpinBox(parent);
        box->setRange(1, img::SCENES);
        box->setPrefix(QStringLiteral("   "));
        connect(box, &QSpinBox::valueChanged, this, &aprogram_conf_delegate::changeDesc);
        editor = box;
        break;
    }
    case FADE_UP: {
        auto* edit = new MyTimeEdit(parent);
        edit->setTimeRange(QTime(0, 0), fromTenths(0xFFFF));
        editor = edit;
        break;
    }
    case DURATION: {
        auto* edit = new infTime_class(parent);
        edit->setFocusProxy(edit->timeEdit);
        connect(edit->infiniteBox, &QCheckBox::stateChanged, table, qOverload<int>(&aprogram_conf_widget::refresh));
        aprogram_conf_widget* view = table;
        connect(edit, &infTime_class::leaved, table, [view](QWidget* w) { view->stopEditing(w); });
        editor = edit;
        break;
    }
    case FADE_DOWN:
        if (programModeRepeat != 0 && isLastRow(index)) {
            auto* edit = new MyTimeEdit(parent);
            edit->setTimeRange(QTime(0, 0), fromTenths(0xFFFD));
            editor = edit;
        } else {
            editor = new QLabel(QStringLiteral(" - "), parent);
            editor->setAutoFillBackground(true);
        }
        break;
    case PROGRAM_TIME: {
        const int total = programTimeOf(index);
        int lowest = 0;
        int highest = 0;
        if (!programTimeRange(index.row(), total, lowest, highest))
            return nullptr;
        const int day = dayStart(total);
        auto* edit = new MyTimeEdit(parent);
        if (day > 0)
            edit->setDisplayFormat(QStringLiteral("'%1+'hh:mm:ss.zzz").arg(day / TENTHS_PER_DAY));
        edit->setTimeRange(fromTenths(unsigned(lowest - day)), fromTenths(unsigned(highest - day)));
        editor = edit;
        break;
    }
    case EVENT: {
        auto* box = new QSpinBox(parent);
        box->setRange(0, 1024);
        box->setSpecialValueText(tr("not set"));
        box->setKeyboardTracking(false);
        connect(box, &QSpinBox::valueChanged, this, &aprogram_conf_delegate::changeEvent);
        editor = box;
        break;
    }
    default:
        return nullptr;
    }
    editor->installEventFilter(const_cast<aprogram_conf_delegate*>(this));
    return opened(editor);
}

void aprogram_conf_delegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (!editor || !theController)
        return;
    const programTable& steps = programs();
    const int row = index.row();
    switch (index.column()) {
    case SCENE:
        if (auto* box = qobject_cast<QSpinBox*>(editor))
            box->setValue(steps.scene(programNumber, row) + 1);
        break;
    case FADE_UP:
        if (auto* edit = qobject_cast<QTimeEdit*>(editor))
            edit->setTime(steps.fadeUp(programNumber, row));
        break;
    case DURATION:
        if (auto* edit = qobject_cast<infTime_class*>(editor)) {
            if (steps.isInfinite(programNumber, row))
                edit->infiniteBox->setChecked(true);
            else
                edit->timeEdit->setTime(steps.duration(programNumber, row));
        }
        break;
    case FADE_DOWN:
        if (auto* edit = qobject_cast<QTimeEdit*>(editor))
            edit->setTime(steps.fadeDown(programNumber, row));
        break;
    case PROGRAM_TIME:
        if (auto* edit = qobject_cast<QTimeEdit*>(editor)) {
            const int total = programTimeOf(index);
            if (total >= 0)
                edit->setTime(fromTenths(unsigned(total - dayStart(total))));
        }
        break;
    case EVENT:
        if (auto* box = qobject_cast<QSpinBox*>(editor)) {
            // The cell shows "not set" for anything but an internal event;
            // the editor opens on the same.
            const int event = steps.stepEvent(programNumber, row);
            const bool internal = event >= EVENT_INTERNAL && event < EVENT_TIMER;
            box->setValue(internal ? event - (EVENT_INTERNAL - 1) : 0);
        }
        break;
    default:
        break;
    }
}

void aprogram_conf_delegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (!editor || !theController)
        return;
    programTable& steps = programs();
    const int row = index.row();
    // A box that takes typed digits only on Enter may be committed before.
    if (auto* box = qobject_cast<QAbstractSpinBox*>(editor))
        box->interpretText();
    switch (index.column()) {
    case SCENE:
        if (auto* box = qobject_cast<QSpinBox*>(editor)) {
            const int value = box->value();
            steps.setScene(programNumber, row, value - 1);
            model->setData(index, QStringLiteral("   ") + QString::number(value));
            emit const_cast<aprogram_conf_delegate*>(this)->changeDesc(value);
        }
        break;
    case FADE_UP:
        if (auto* edit = qobject_cast<QTimeEdit*>(editor)) {
            steps.setFadeUp(programNumber, row, edit->time());
            model->setData(index, stepTimeText(edit->time()));
        }
        break;
    case DURATION:
        if (auto* edit = qobject_cast<infTime_class*>(editor)) {
            if (edit->infiniteBox->checkState() != Qt::Unchecked) {
                steps.setInfinite(programNumber, row);
                model->setData(index, QStringLiteral("  ") + tr("infinite"));
            } else {
                steps.setDuration(programNumber, row, edit->timeEdit->time());
                model->setData(index, stepTimeText(edit->timeEdit->time()));
            }
        }
        break;
    case FADE_DOWN:
        if (programModeRepeat == 0 || !isLastRow(index))
            return table->refresh();
        if (auto* edit = qobject_cast<QTimeEdit*>(editor)) {
            steps.setFadeDown(programNumber, row, edit->time());
            model->setData(index, stepTimeText(edit->time()));
        }
        break;
    case PROGRAM_TIME:
        if (auto* edit = qobject_cast<QTimeEdit*>(editor)) {
            const int total = programTimeOf(index);
            if (total < 0)
                break;
            const int change = dayStart(total) + toTenths(edit->time()) - total;
            const int own = toTenths(steps.duration(programNumber, row));
            steps.setDuration(programNumber, row, fromTenths(unsigned(qBound(0, own + change, LONGEST_DURATION))));
            if (row + 1 < steps.stepCount(programNumber) && !steps.isInfinite(programNumber, row + 1)) {
                const int next = toTenths(steps.duration(programNumber, row + 1));
                steps.setDuration(programNumber, row + 1,
                                  fromTenths(unsigned(qBound(0, next - change, LONGEST_DURATION))));
            }
        }
        break;
    case EVENT:
        if (auto* box = qobject_cast<QSpinBox*>(editor)) {
            const int value = box->value();
            if (value == 0) {
                model->setData(index, tr("not set"));
                steps.setStepEvent(programNumber, row, -1);
            } else {
                model->setData(index, QString::number(value));
                steps.setStepEvent(programNumber, row, value + EVENT_INTERNAL - 1);
            }
        }
        break;
    default:
        return;
    }
    table->refresh();
}

void aprogram_conf_delegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                  const QModelIndex&) const
{
    // A time editor wider than its cell reaches over the next one rather
    // than cutting its time; it stays within the view.
    QRect rect = option.rect;
    const int wanted = editor->sizeHint().width();
    if (wanted > rect.width()) {
        rect.setWidth(wanted);
        if (const QWidget* area = editor->parentWidget(); area && rect.right() > area->width())
            rect.moveRight(qMax(wanted - 1, area->width() - 1));
    }
    editor->setGeometry(rect);
}
