#include "widgets/page_list.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <vector>

// A page's list reads the show only for the rows it draws; a change of the
// show reaches the rows on the screen with one notice, and the current row
// and the selection stay where the user put them.
class tst_page_list : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsOnlyWhatItShowsAndKeepsTheCurrentRow();
    void rowsComeAndGoAtTheEnd();
    void textsAreCutWhereTheyAreDrawn();
    void rowLabelsAreAsWideAsTheToolkitMeasuresThem();
};

void tst_page_list::readsOnlyWhatItShowsAndKeepsTheCurrentRow()
{
    std::vector<QString> show(10240, QStringLiteral("scene"));
    std::vector<int> asked(show.size(), 0);
    pageListModel model(int(show.size()), {QStringLiteral("Scene")}, [&](int row, int, int role) {
        if (role != Qt::DisplayRole)
            return QVariant();
        ++asked[size_t(row)];
        return QVariant(show[size_t(row)]);
    });
    pageListView view;
    view.setModel(&model);
    view.resize(175, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setCurrentCell(3);
    QCOMPARE(view.currentRow(), 3);

    std::fill(asked.begin(), asked.end(), 0);
    QSignalSpy notices(&model, &QAbstractItemModel::dataChanged);
    show[1] = QStringLiteral("read");
    show[9000] = QStringLiteral("read too");
    model.allChanged();
    view.viewport()->repaint();
    QCOMPARE(notices.count(), 1);
    QVERIFY(asked[1] > 0);
    QCOMPARE(asked[9000], 0);
    QCOMPARE(view.currentRow(), 3);
    QVERIFY(view.selectionModel()->isRowSelected(3, QModelIndex()));
    QCOMPARE(view.text(9000), QStringLiteral("read too"));
}

void tst_page_list::rowsComeAndGoAtTheEnd()
{
    pageListModel model(5, {QStringLiteral("Program")},
                        [](int row, int, int role) { return role == Qt::DisplayRole ? QVariant(row) : QVariant(); });
    pageListView view;
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setCurrentCell(2);
    model.setRowCount(8);
    QCOMPARE(view.rowCount(), 8);
    QCOMPARE(view.currentRow(), 2);
    model.setRowCount(3);
    QCOMPARE(view.currentRow(), 2);
    QCOMPARE(model.headerData(2, Qt::Vertical).toInt(), 3);
}

void tst_page_list::textsAreCutWhereTheyAreDrawn()
{
    const QString longText(200, QLatin1Char('W'));
    pageListModel model(1, {QStringLiteral("Input")}, [&](int, int, int role) {
        return role == Qt::DisplayRole ? QVariant(longText) : QVariant();
    });
    pageListView view;
    view.setModel(&model);
    auto* delegate = new elidingDelegate(60, &view);
    view.setItemDelegate(delegate);
    view.setColumnWidth(0, 2000);

    // The model keeps the whole text; the delegate cuts it to its width
    // even in a column wide enough for all of it.
    QCOMPARE(view.text(0), longText);
    struct probe : elidingDelegate {
        using elidingDelegate::elidingDelegate;
        using elidingDelegate::initStyleOption;
    } cut(60, nullptr);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    cut.initStyleOption(&option, model.index(0, 0));
    QVERIFY(option.text.endsWith(QChar(0x2026)));
    QVERIFY(option.fontMetrics.horizontalAdvance(option.text) <= 60);
}

// The row labels are measured once each, yet the column of labels is as
// wide as a plain header would make it, also after the labels, the rows or
// the font change.
void tst_page_list::rowLabelsAreAsWideAsTheToolkitMeasuresThem()
{
    pageListModel model(300, {QStringLiteral("Scene")}, [](int, int, int) { return QVariant(); });
    pageListView view;
    QTableView plain;
    for (QTableView* v : {static_cast<QTableView*>(&view), &plain}) {
        v->setModel(&model);
        v->resize(175, 300);
        v->show();
    }
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const auto same = [&](const char* what) {
        const int ours = view.verticalHeader()->sizeHint().width();
        const int theirs = plain.verticalHeader()->sizeHint().width();
        if (ours != theirs)
            qWarning("%s: %d against %d", what, ours, theirs);
        return ours == theirs;
    };
    QVERIFY(same("numbers"));
    const int numbers = view.verticalHeader()->sizeHint().width();

    model.setRowLabels([](int row) { return QStringLiteral("Step %1").arg(row + 1); });
    QVERIFY(same("longer labels"));
    QVERIFY(view.verticalHeader()->sizeHint().width() > numbers);

    model.setRowLabels({});
    model.setRowCount(20000);
    QVERIFY(same("more rows"));
    QVERIFY(view.verticalHeader()->sizeHint().width() > numbers);

    QFont big = view.font();
    big.setPointSize(big.pointSize() * 2);
    view.setFont(big);
    plain.setFont(big);
    QVERIFY(same("a larger font"));
}

QTEST_MAIN(tst_page_list)
#include "tst_page_list.moc"
