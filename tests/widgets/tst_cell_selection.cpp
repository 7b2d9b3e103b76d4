#include "widgets/cell_selection.h"

#include "widgets/guarded_spin_box.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The selection group on its own, for what its pages never bring about: a
// range that reaches past the end the page gives, and a page with nothing to
// choose from (a program without steps).
class tst_cell_selection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void applyStopsAtTheEndGiven_data();
    void applyStopsAtTheEndGiven();
    void rangeWithoutCells();
};

namespace {

QList<int> ticked(const checkGridModel& model)
{
    QList<int> cells;
    for (int c = 0; c < model.cells(); ++c)
        if (model.isChecked(c))
            cells << c;
    return cells;
}

}  // namespace

void tst_cell_selection::applyStopsAtTheEndGiven_data()
{
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("from");   // 0: "In range" not ticked
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("step");   // 0: "Choose every" not ticked
    QTest::addColumn<QList<int>>("after");

    QTest::newRow("all below the end") << 4 << 0 << 0 << 0 << QList<int>{0, 1, 2, 3};
    QTest::newRow("every 3rd below the end") << 8 << 0 << 0 << 3 << QList<int>{0, 3, 6};
    QTest::newRow("range within") << 10 << 3 << 5 << 0 << QList<int>{2, 3, 4};
    QTest::newRow("range past the end") << 6 << 4 << 9 << 0 << QList<int>{3, 4, 5};
    QTest::newRow("every 2nd of a range past the end") << 7 << 2 << 12 << 2 << QList<int>{1, 3, 5};
    QTest::newRow("range beyond the end") << 3 << 5 << 9 << 0 << QList<int>{};
    QTest::newRow("no end") << 0 << 0 << 0 << 0 << QList<int>{};
}

void tst_cell_selection::applyStopsAtTheEndGiven()
{
    QFETCH(int, end);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, step);
    QFETCH(QList<int>, after);
    QWidget page;
    cellSelectionGroup tool({121, 52, 16, 12, 12}, &page);
    checkGridModel model(12, 4);
    tool.selectButton->setChecked(true);
    tool.everyBox->setChecked(step > 0);
    if (step > 0)
        tool.stepBox->setValue(step);
    tool.inRangeBox->setChecked(from > 0);
    if (from > 0) {
        tool.fromBox->setValue(from);
        tool.toBox->setValue(to);
    }

    tool.apply(model, end);
    QCOMPARE(ticked(model), after);
}

void tst_cell_selection::rangeWithoutCells()
{
    QWidget page;
    cellSelectionGroup tool({121, 52, 16, 12, 12}, &page);
    tool.setRangeMaximum(0);
    for (QSpinBox* box : {static_cast<QSpinBox*>(tool.fromBox), static_cast<QSpinBox*>(tool.toBox)}) {
        QCOMPARE(box->minimum(), 1);
        QCOMPARE(box->maximum(), 1);
        QCOMPARE(box->value(), 1);
    }
}

QTEST_MAIN(tst_cell_selection)
#include "tst_cell_selection.moc"
