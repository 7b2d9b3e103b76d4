#include "widgets/check_grid.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>
#include <QSignalSpy>
#include <QTest>

// The grid is drawn from a model, but the user must meet the check boxes the
// pages had: a click anywhere in a cell ticks it, a double click ticks and
// unticks it, the space bar ticks the current cell, and a greyed cell takes
// nothing.
class tst_check_grid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void userActsAsOnABox_data();
    void userActsAsOnABox();
    void greyedCellsTakeNoClick();
    void aCellLooksAsTheBoxInIt_data();
    void aCellLooksAsTheBoxInIt();
    void toolsAndLoads();
};

namespace {

// What the window system delivers for a double click: a click, then a
// second press that comes as a double click, and its release.
void doubleClick(QWidget* target, const QPoint& at)
{
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
}

// Ticks of a real QCheckBox for the same user act, so the test compares
// the grid with the widget it replaces instead of with a guess.
int boxTicksFor(const QString& act)
{
    QCheckBox box;
    box.resize(22, 24);
    box.show();
    QSignalSpy spy(&box, &QCheckBox::toggled);
    const QPoint centre = box.rect().center();
    if (act == "click")
        QTest::mouseClick(&box, Qt::LeftButton, {}, centre);
    else if (act == "double click")
        doubleClick(&box, centre);
    else if (act == "space") {
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Space);
    }
    return int(spy.count());
}

}  // namespace

void tst_check_grid::userActsAsOnABox_data()
{
    QTest::addColumn<QString>("act");
    QTest::addColumn<QPoint>("inCell");  // from the cell's top left corner
    QTest::newRow("click on the box") << "click" << QPoint(6, 12);
    QTest::newRow("click right of the box") << "click" << QPoint(19, 20);
    QTest::newRow("double click") << "double click" << QPoint(11, 12);
    QTest::newRow("space") << "space" << QPoint(11, 12);
}

void tst_check_grid::userActsAsOnABox()
{
    QFETCH(QString, act);
    QFETCH(QPoint, inCell);

    auto* model = new checkGridModel(512, 10);
    checkGridView view(model, 22, 24);
    model->setParent(&view);
    view.resize(320, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy toggles(model, &checkGridModel::toggled);

    const int cell = 23;
    const QRect rect = view.visualRect(model->indexOf(cell));
    const QPoint at = rect.topLeft() + inCell;
    QVERIFY(rect.contains(at));
    if (act == "click")
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    else if (act == "double click")
        doubleClick(view.viewport(), at);
    else {
        view.setCurrentIndex(model->indexOf(cell));
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Space);
    }

    const int expected = boxTicksFor(act);
    QCOMPARE(int(toggles.count()), expected);
    QCOMPARE(model->isChecked(cell), expected % 2 == 1);
    for (const QList<QVariant>& toggle : toggles)
        QCOMPARE(toggle.at(0).toInt(), cell);
    for (int other = 0; other < model->cells(); ++other)
        if (other != cell)
            QVERIFY(!model->isChecked(other));
}

void tst_check_grid::greyedCellsTakeNoClick()
{
    auto* model = new checkGridModel(512, 10);
    checkGridView view(model, 22, 24);
    model->setParent(&view);
    view.resize(320, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    model->setEnabledCount(12);
    QVERIFY(model->isEnabled(11));
    QVERIFY(!model->isEnabled(12));
    QVERIFY(!(model->flags(model->indexOf(12)) & Qt::ItemIsEnabled));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model->indexOf(12)).center());
    view.setCurrentIndex(model->indexOf(15));
    QTest::keyClick(&view, Qt::Key_Space);
    QVERIFY(!model->isChecked(12));
    QVERIFY(!model->isChecked(15));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(model->indexOf(11)).center());
    QVERIFY(model->isChecked(11));

    // The cells past the last one of a row that is not full show no box.
    QVERIFY(!model->index(51, 9).data(Qt::CheckStateRole).isValid());
    QCOMPARE(model->flags(model->index(51, 9)), Qt::NoItemFlags);
}

void tst_check_grid::aCellLooksAsTheBoxInIt_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("focused");  // the box has the focus; the grid marks its current cell
    QTest::newRow("empty") << false << true << false;
    QTest::newRow("ticked") << true << true << false;
    QTest::newRow("greyed") << false << false << false;
    QTest::newRow("focused") << true << true << true;
}

// The grid drawn from the model against the table of check boxes it
// replaces, pixel for pixel in the cell.
void tst_check_grid::aCellLooksAsTheBoxInIt()
{
    QFETCH(bool, ticked);
    QFETCH(bool, enabled);
    QFETCH(bool, focused);
    const int cell = 13;

    QTableWidget boxes(3, 10);
    boxes.setGridStyle(Qt::DotLine);
    boxes.horizontalHeader()->setMinimumSectionSize(22);
    for (int c = 0; c < 10; ++c)
        boxes.setColumnWidth(c, 22);
    for (int r = 0; r < 3; ++r)
        boxes.setRowHeight(r, 24);
    // A box that has the focus marks its cell; one without it marks nothing.
    auto* box = new QCheckBox();
    if (!focused)
        box->setFocusPolicy(Qt::NoFocus);
    box->setChecked(ticked);
    box->setEnabled(enabled);
    boxes.setCellWidget(cell / 10, cell % 10, box);

    auto* model = new checkGridModel(30, 10);
    checkGridView grid(model, 22, 24);
    model->setParent(&grid);
    model->setChecked(cell, ticked);
    model->setEnabledCount(enabled ? 30 : cell);

    if (focused)
        grid.setSelectionMode(QAbstractItemView::SingleSelection);
    for (QTableView* view : {static_cast<QTableView*>(&boxes), static_cast<QTableView*>(&grid)}) {
        if (!focused)
            view->setFocusPolicy(Qt::NoFocus);
        view->resize(320, 120);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
    if (focused) {
        boxes.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&boxes));
        box->setFocus();
        grid.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        grid.setFocus();
        grid.setCurrentIndex(model->indexOf(cell));
        QVERIFY(grid.selectionModel()->isSelected(model->indexOf(cell)));
    }
    const QRect rect = grid.visualRect(model->indexOf(cell));
    QCOMPARE(boxes.visualRect(boxes.model()->index(cell / 10, cell % 10)), rect);
    const QImage drawn = grid.viewport()->grab(rect).toImage();
    const QImage expected = boxes.viewport()->grab(rect).toImage();
    QCOMPARE(drawn, expected);
}

void tst_check_grid::toolsAndLoads()
{
    checkGridModel model(512, 10);
    QSignalSpy toggles(&model, &checkGridModel::toggled);
    QSignalSpy redraws(&model, &QAbstractItemModel::dataChanged);

    // Channels 5..12 in steps of 3, as the pages' tools count them.
    model.apply(checkGridModel::tick::on, 4, 12, 3);
    QCOMPARE(toggles.count(), 3);
    QVERIFY(model.isChecked(4) && model.isChecked(7) && model.isChecked(10));
    QCOMPARE(redraws.count(), 1);

    model.apply(checkGridModel::tick::invert, 4, 8);
    QVERIFY(!model.isChecked(4) && model.isChecked(5) && model.isChecked(6) && !model.isChecked(7));
    QVERIFY(model.isChecked(10));

    toggles.clear();
    model.apply(checkGridModel::tick::on, 9, 5);  // an empty range changes nothing
    model.apply(checkGridModel::tick::off, 500, 600);
    QCOMPARE(toggles.count(), 0);

    // A load shows the show without telling an edit.
    model.load({true, false, true});
    QCOMPARE(toggles.count(), 0);
    QVERIFY(model.isChecked(0) && !model.isChecked(1) && model.isChecked(2) && !model.isChecked(5));

    model.setRowLabels({"0", "10"});
    QCOMPARE(model.headerData(1, Qt::Vertical).toString(), QString("10"));
    QCOMPARE(model.headerData(3, Qt::Horizontal).toInt(), 4);
}

QTEST_MAIN(tst_check_grid)
#include "tst_check_grid.moc"
