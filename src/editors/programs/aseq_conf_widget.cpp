#include "editors/programs/aseq_conf_widget.h"

#include "editors/events/aevents_conf_widget.h"
#include "editors/programs/aseq_conf_delegate.h"
#include "editors/programs/aseq_settings_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/sequence_chain.h"
#include "seams/dialog_seam.h"

#include <QDebug>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>

namespace {

constexpr uint32_t TENTHS_PER_DAY = 864000;
constexpr int NO_EVENT = 0xFFFF;

}  // namespace

QString sequenceTimeText(uint32_t tenths)
{
    tenths %= TENTHS_PER_DAY;
    return QStringLiteral("%1:%2:%3:%4")
        .arg(tenths / 36000)
        .arg((tenths % 36000) / 600, 2, 10, QLatin1Char('0'))
        .arg((tenths % 600) / 10, 2, 10, QLatin1Char('0'))
        .arg((tenths % 10) * 100, 3, 10, QLatin1Char('0'));
}

aseq_conf_widget::aseq_conf_widget(QWidget* parent)
    : QTableView(parent)
    , stepModel(std::make_unique<QStandardItemModel>(0, 3))
{
    stepModel->setHorizontalHeaderLabels({tr("Step No."), tr("Delay Time"), tr("Global Time")});
    setModel(stepModel.get());
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    delegate = new aseq_conf_delegate(this);
    setItemDelegate(delegate);
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, qOverload<QWidget*>(&aseq_conf_widget::refresh));
    setColumnWidth(0, 100);
    setColumnWidth(1, 170);
    setColumnWidth(2, 190);
    load(0);
}

aseq_conf_widget::~aseq_conf_widget()
{
    // The view lets go of the model before the model goes.
    setModel(nullptr);
}

void aseq_conf_widget::setCell(int row, int column, const QString& text)
{
    QStandardItem* item = stepModel->item(row, column);
    if (!item) {
        stepModel->setItem(row, column, new QStandardItem(text));
        return;
    }
    if (item->text() != text)
        item->setText(text);
}

void aseq_conf_widget::refresh(QWidget*)
{
    refresh();
}

void aseq_conf_widget::refresh()
{
    if (!theController)
        return;
    const sequenceChain chain(*theController, sequenceNumber);
    const int steps = chain.length();
    if (steps == 0)
        return;
    const int rows = stepModel->rowCount();
    if (rows != steps + 1)
        qDebug().noquote() << "Niezgodność rozmiarów!" << steps << rows;

    uint32_t total = 0;
    for (int k = 0; k < steps && k < rows; ++k) {
        setCell(k, 0, QStringLiteral("   %1").arg(k + 1));
        const int d = chain.delayOf(k);
        const uint32_t time = d < 0 ? 0 : delayWord::time(img::getU32(theController->configImage, img::delaysOf(d)));
        if (time < 1 || time > delayWord::MAX_TIME) {
            // A step without a time adds nothing to the sum.
            setCell(k, 1, QString());
            setCell(k, 2, tr("undefined"));
            continue;
        }
        total += time;
        setCell(k, 1, sequenceTimeText(time));
        const int days = int(total / TENTHS_PER_DAY);
        const QString dayText = days > 0 ? tr("%n day(s) ", nullptr, days) : QString();
        setCell(k, 2, dayText + sequenceTimeText(total));
    }
    if (steps < rows) {
        setCell(steps, 0, tr("finish"));
        setCell(steps, 1, QString());
        setCell(steps, 2, QString());
    }
}

void aseq_conf_widget::showRowEvent(int id)
{
    if (actionPanel)
        actionPanel->setEvent(id);
}

void aseq_conf_widget::warnNoDelay()
{
    showMessage(QMessageBox::Warning, this, tr("Action failed!"), tr("To many delays defined!"));
}

void aseq_conf_widget::setModelRows(int n)
{
    if (n > 0) {
        stepModel->setRowCount(n + 1);
        return;
    }
    if (stepModel->rowCount() == 0)
        return;
    // Emptying the table moves its current row, which would choose a step.
    QItemSelectionModel* selection = selectionModel();
    disconnect(selection, &QItemSelectionModel::currentRowChanged, nullptr, nullptr);
    stepModel->setRowCount(0);
    if (page)
        connect(selection, &QItemSelectionModel::currentRowChanged, page, &aseq_settings_widget::stepRowChange);
}

void aseq_conf_widget::finishEditOf(int q)
{
    // An open delay editor belongs to the sequence its rows showed: it
    // stores there before they stand for another one.
    if (q != delegate->sequenceNumber)
        delegate->finishEdit();
}

void aseq_conf_widget::setSequence(int q)
{
    finishEditOf(q);
    sequenceNumber = q;
    delegate->setSequence(q);
    const int steps = theController ? sequenceChain(*theController, q).length() : 0;
    emit changeStepNumber(steps);
    setRows(steps);
}

void aseq_conf_widget::setRows(int n)
{
    if (!theController)
        return;
    showRowEvent(NO_EVENT);
    const int reached = sequenceChain(*theController, sequenceNumber).setLength(n);
    setModelRows(reached);
    if (reached < n) {
        warnNoDelay();
        emit changeStepNumber(reached);
    }
    refresh();
}

void aseq_conf_widget::load(int q)
{
    finishEditOf(q);
    sequenceNumber = q;
    clearSelection();
    const int steps = theController ? sequenceChain(*theController, q).length() : 0;
    stepModel->setRowCount(steps > 0 ? steps + 1 : 0);
    refresh();
}

int aseq_conf_widget::currentStep(const sequenceChain& chain) const
{
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    return row < chain.length() ? row : -1;
}

void aseq_conf_widget::followLength(int steps)
{
    if (stepModel->rowCount() != (steps > 0 ? steps + 1 : 0)) {
        emit changeStepNumber(steps);
        setRows(steps);
    }
}

void aseq_conf_widget::insertStep()
{
    if (!theController)
        return;
    sequenceChain chain(*theController, sequenceNumber);
    const int row = currentStep(chain);
    if (row < 0)
        return;
    const sequenceChain::result result = chain.insertStep(row);
    if (result == sequenceChain::noFreeDelay) {
        warnNoDelay();
        return;
    }
    if (result != sequenceChain::done)
        return;
    followLength(chain.length());
    showRowEvent(chain.rowEvent(row));
    refresh();
}

void aseq_conf_widget::deleteStep()
{
    if (!theController)
        return;
    sequenceChain chain(*theController, sequenceNumber);
    const int row = currentStep(chain);
    if (row < 0)
        return;
    const int starter = chain.rowEvent(row);
    if (chain.deleteStep(row) != sequenceChain::done)
        return;
    followLength(chain.length());
    showRowEvent(starter < 0 ? NO_EVENT : starter);
    refresh();
}

void aseq_conf_widget::cleanPrevStep()
{
    if (!theController)
        return;
    sequenceChain chain(*theController, sequenceNumber);
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    if (row < 1 || row > chain.length())
        return;
    chain.finishPreviousStep(row);
    refresh();
    emit refreshEvents();
}
