#include "editors/programs/aprogram_conf_widget.h"

#include "editors/programs/aprogram_conf_delegate.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "seams/dialog_seam.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStandardItemModel>
#include <QTimeEdit>

#include <optional>

namespace {

constexpr int TENTHS_PER_DAY = 864000;
// The fill of "Scenes' Sequence" stops once the scene before reaches this.
constexpr int LAST_SCENE_BEFORE_FILL = 8189;
// Fade-down codes above this are the end markers of the packed step records.
constexpr int LAST_FADE_DOWN = 0xFFFD;
// Set on a duration editor once it is being committed and closed.
const char* const closingProperty = "kvClosing";

programTable& programs()
{
    return theController->programs;
}

QString programTimeText(int total)
{
    const int days = total / TENTHS_PER_DAY;
    const QString time = stepTimeText(fromTenths(unsigned(total % TENTHS_PER_DAY)));
    return days > 0 ? QStringLiteral("%1+").arg(days) + time : time;
}

// What the scene column shows for a step's 0-based scene.
QString sceneText(int scene)
{
    return QStringLiteral("   ") + QString::number(scene + 1);
}

} // namespace

QString stepTimeText(const QTime& t)
{
    return t.toString(QStringLiteral("hh:mm:ss.zzz")).left(10);
}

aprogram_conf_widget::aprogram_conf_widget(aprogram_settings_widget* page, QWidget* parent)
    : QTableView(parent)
    , stepModel(std::make_unique<QStandardItemModel>(0, 6))
    , page(page)
{
    const QStringList headers{tr("Scene No."), tr("Fade Up Time"), tr("Duration | inf."),
                              tr("Fade Down Time"), tr("Prog. Time"), tr("Event")};
    // Column titles wrap onto a second line rather than being cut.
    for (int c = 0; c < headers.size(); ++c) {
        stepModel->setHeaderData(c, Qt::Horizontal, headers.at(c));
        stepModel->setHeaderData(c, Qt::Horizontal, int(Qt::AlignCenter | Qt::TextWordWrap), Qt::TextAlignmentRole);
    }
    setModel(stepModel.get());
    horizontalHeader()->setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    delegate = new aprogram_conf_delegate(this);
    setItemDelegate(delegate);
    connect(delegate, &QAbstractItemDelegate::closeEditor, this,
            qOverload<QWidget*>(&aprogram_conf_widget::refresh));
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &aprogram_conf_widget::indexChanged);
    setColumnWidth(0, 60);
    setColumnWidth(2, 140);
    setColumnWidth(5, 70);
    fitHeader();
    refresh();
}

void aprogram_conf_widget::fitHeader()
{
    QHeaderView* header = horizontalHeader();
    const QFontMetrics metrics(header->font());
    const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 4;
    // Lines a title takes when wrapped at its blanks into `room` pixels.
    const auto lines = [&metrics](const QStringList& words, int room) {
        int count = 1;
        QString line;
        for (const QString& word : words) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > room) {
                ++count;
                line = word;
            } else {
                line = longer;
            }
        }
        return count;
    };
    // The last scene's number fits its column whole; the width comes from the
    // durations, which need far less than theirs, so the table stays as wide.
    const int sceneWider = qMax(0, pageStyle::cellWidth(this, {sceneText(img::SCENES - 1)}) - 60);
    const int base[] = {60 + sceneWider, header->defaultSectionSize(), 140 - sceneWider,
                        header->defaultSectionSize(), header->defaultSectionSize(), 70};
    for (int c = 0; c < stepModel->columnCount() && c < 6; ++c) {
        const QStringList words =
            stepModel->headerData(c, Qt::Horizontal).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        int width = base[c];
        for (const QString& word : words)
            width = qMax(width, metrics.horizontalAdvance(word) + margin);
        while (lines(words, width - margin) > 2)
            width += 2;
        setColumnWidth(c, width);
    }
    header->setMinimumHeight(2 * metrics.lineSpacing() + margin);
}

void aprogram_conf_widget::changeEvent(QEvent* e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fitHeader();
}

aprogram_conf_widget::~aprogram_conf_widget()
{
    // The view lets go of the model before the model goes.
    setModel(nullptr);
}

void aprogram_conf_widget::setProgramNumber(int p)
{
    // An open editor belongs to the program its rows showed: it stores
    // there before they stand for another one.
    if (p != delegate->programNumber)
        delegate->finishEdit();
    programNumber = p;
    delegate->setProgramNumber(p);
}

void aprogram_conf_widget::setProgramRunMode(int n)
{
    programModeRepeat = n;
    delegate->setProgramRunMode(n);
    refresh();
}

void aprogram_conf_widget::setRows(int n)
{
    n = qMax(0, n);
    {
        // Removing the current row moves it inside removeRows; the table
        // redraws once the rows are in place, not from within the change.
        const QScopedValueRollback<bool> held(resizing, true);
        const int rows = stepModel->rowCount();
        if (rows < n)
            stepModel->insertRows(rows, n - rows);
        else if (rows > n)
            stepModel->removeRows(n, rows - n);
    }
    refresh();
}

void aprogram_conf_widget::setCell(int row, int column, const QString& text)
{
    // The model skips a value it already holds, so an unchanged cell costs
    // no repaint and an open editor is not reloaded.
    stepModel->setData(stepModel->index(row, column), text, Qt::DisplayRole);
}

void aprogram_conf_widget::refresh(int)
{
    refresh();
}

void aprogram_conf_widget::refresh()
{
    if (!theController)
        return;
    programTable& table = programs();
    const int rows = stepModel->rowCount();
    const int n = qMax(0, table.stepCount(programNumber));
    int total = 0;          // tenths; -1 once a step is infinite
    bool fixAll = false;
    // A step the controller cannot take is stored as the table shows it: a
    // repair, not the user's work.
    std::optional<showRepair> repair;
    for (int i = 0; i < rows && i < n; ++i) {
        const programStep* step = table.step(programNumber, i);
        if (!step)
            break;
        const bool infinite = step->infinite;
        setCell(i, 0, sceneText(step->scene));

        const int fadeUp = toTenths(step->fadeUp);
        setCell(i, 1, stepTimeText(step->fadeUp));
        if (total >= 0)
            total += fadeUp;

        if (infinite) {
            setCell(i, 2, QStringLiteral("  ") + tr("infinite"));
            total = -1;
        } else {
            QTime duration = step->duration;
            int tenths = toTenths(duration);
            if (fadeUp + tenths == 0) {
                if (!fixAll) {
                    const int answer = askQuestion(QMessageBox::Warning, this, tr("Rule broken!"),
                                                   tr("Both times cannot equal 0!\nDuration will be fixed."),
                                                   {tr("O.K."), tr("Fix all steps")}, 0);
                    fixAll = answer == 1;
                }
                duration = QTime(0, 0, 1);
                tenths = 10;
                if (!repair)
                    repair.emplace(theController);
                table.setDuration(programNumber, i, duration);
            }
            setCell(i, 2, stepTimeText(duration));
            if (total >= 0)
                total += tenths;
        }

        if (i + 1 == rows && programModeRepeat != 0) {
            QTime fadeDown = table.fadeDown(programNumber, i);
            int tenths = toTenths(fadeDown);
            if (tenths > LAST_FADE_DOWN) {
                fadeDown = QTime(0, 0);
                tenths = 0;
                if (!repair)
                    repair.emplace(theController);
                table.setFadeDown(programNumber, i, fadeDown);
            }
            setCell(i, 3, stepTimeText(fadeDown));
            if (total >= 0)
                total += tenths;
        } else {
            setCell(i, 3, QStringLiteral(" - "));
        }

        const QModelIndex timeCell = stepModel->index(i, 4);
        if (total < 0) {
            setCell(i, 4, tr("undetermined"));
            stepModel->setData(timeCell, QTime(), Qt::UserRole);
        } else {
            setCell(i, 4, programTimeText(total));
            stepModel->setData(timeCell, fromTenths(unsigned(total % TENTHS_PER_DAY)), Qt::UserRole);
        }
        stepModel->setData(timeCell, total, progTimeTenthsRole);

        const int event = table.stepEvent(programNumber, i);
        if (event >= EVENT_INTERNAL && event < EVENT_TIMER)
            setCell(i, 5, QString::number(event - (EVENT_INTERNAL - 1)));
        else
            setCell(i, 5, tr("not set"));
    }
}

void aprogram_conf_widget::refresh(QWidget* editor)
{
    if (qobject_cast<QTimeEdit*>(editor) || currentIndex().column() == 2)
        refresh();
}

void aprogram_conf_widget::indexChanged(const QModelIndex&, const QModelIndex&)
{
    if (!resizing)
        refresh();
}

void aprogram_conf_widget::stopEditing(QWidget* ed)
{
    if (!ed || ed->property(closingProperty).toBool())
        return;
    const QPoint p = ed->mapFromGlobal(QCursor::pos());
    if (p.x() > 0 && p.x() < ed->width() && p.y() > 0 && p.y() < ed->height())
        return;
    ed->setProperty(closingProperty, true);
    emit delegate->commitData(ed);
    emit delegate->closeEditor(ed, QAbstractItemDelegate::NoHint);
}

void aprogram_conf_widget::finishEdit()
{
    // The operations below move steps to other rows or rewrite them: an
    // edit still open stores into the step it was opened on first.
    delegate->finishEdit();
}

void aprogram_conf_widget::deleteStep()
{
    finishEdit();
    programTable& table = programs();
    bool all = false;
    bool removed = false;
    for (int r = stepModel->rowCount() - 1; r >= 0; --r) {
        if (!selectionModel()->isSelected(stepModel->index(r, 0)))
            continue;
        if (!all) {
            const int answer = askQuestion(QMessageBox::Question, this, tr("Confirmation"),
                                           tr("About to remove a step from program.\n\tReally want to do so?"),
                                           {tr("No"), tr("Yes!"), tr("All")}, 0);
            if (answer == 2)
                all = true;
            else if (answer != 1)
                continue;
        }
        table.removeStep(programNumber, r);
        removed = true;
    }
    if (!removed)
        return;
    const int count = qMax(0, table.stepCount(programNumber));
    if (count != stepModel->rowCount()) {
        emit changeStepNumber(count);
        setRows(count);
    }
}

void aprogram_conf_widget::insertStep()
{
    finishEdit();
    programTable& table = programs();
    const int position = currentIndex().row();
    if (table.stepCount(programNumber) > img::MAX_PROGRAM_STEPS - 1) {
        const int answer = askQuestion(QMessageBox::Question, this, tr("Confirmation"),
                                       tr("This action will remove last step from program.\n\tReally want to do so?"),
                                       {tr("No"), tr("Yes!")}, 0);
        if (answer != 1)
            return;
    }
    // A slot that holds no program yet gets one, so its first step can be made.
    if (!table.findProgram(programNumber))
        table.setStepCount(programNumber, 0);
    table.insertStep(programNumber, position);
    const int count = qMax(0, table.stepCount(programNumber));
    if (count == stepModel->rowCount()) {
        refresh();
    } else {
        emit changeStepNumber(count);
        setRows(count);
    }
}

void aprogram_conf_widget::copyStep()
{
    stepClipboard.clear();
    const programTable& table = programs();
    const int rows = stepModel->rowCount();
    int first = 0;
    while (first < rows && !selectionModel()->isSelected(stepModel->index(first, 0)))
        ++first;
    int gap = 0;
    for (int r = first; r < rows; ++r) {
        if (!selectionModel()->isSelected(stepModel->index(r, 0))) {
            ++gap;
            continue;
        }
        programStep step;
        if (!table.getStep(programNumber, r, step)) {
            showMessage(QMessageBox::Warning, this, tr("Copying failed!"), tr("Invalid selection!"));
            stepClipboard.clear();
            return;
        }
        stepClipboard.emplace_back(gap, step);
        gap = 0;
    }
}

void aprogram_conf_widget::pasteStep()
{
    finishEdit();
    if (stepClipboard.empty())
        return;
    programTable& table = programs();
    const bool replace = page && page->replaceBox->checkState() != Qt::Unchecked;
    if (!table.findProgram(programNumber))
        table.appendProgram(std::make_unique<programRecord>(programNumber));
    int target = qMax(0, currentIndex().row());
    int rows = stepModel->rowCount();
    for (stepClipEntry& entry : stepClipboard) {
        if (replace)
            target = qMin(target + entry.row, rows);
        if (!replace || target >= rows) {
            table.insertStep(programNumber, target);
            stepModel->insertRow(stepModel->rowCount());
            ++rows;
        }
        entry.step.fadeDown = QTime(0, 0);
        if (!table.setStep(programNumber, target, entry.step)) {
            showMessage(QMessageBox::Warning, this, tr("Paste failed!"), tr("Algorithm error?"));
            break;
        }
        ++target;
    }
    // Also after a failed write, so that the rows, the page's step count
    // and the program agree.
    const int count = qMax(0, table.stepCount(programNumber));
    if (count != stepModel->rowCount())
        setRows(count);
    emit changeStepNumber(count);
    refresh();
}

void aprogram_conf_widget::fillSteps()
{
    finishEdit();
    const int rows = stepModel->rowCount();
    const int current = currentIndex().row();
    if (rows == 0 || current < 0)
        return;
    programTable& table = programs();
    int scene = table.scene(programNumber, current);
    for (int r = current + 1; r < rows && scene >= 0 && scene <= LAST_SCENE_BEFORE_FILL; ++r) {
        ++scene;
        table.setScene(programNumber, r, scene);
    }
    refresh();
}

void aprogram_conf_widget::keyPressEvent(QKeyEvent* e)
{
    const bool control = e->modifiers() == Qt::ControlModifier;
    if (e->key() == Qt::Key_Delete)
        deleteStep();
    else if (e->key() == Qt::Key_Insert)
        insertStep();
    else if (e->key() == Qt::Key_C && control)
        copyStep();
    else if (e->key() == Qt::Key_V && control)
        pasteStep();
    else
        QTableView::keyPressEvent(e);
}
