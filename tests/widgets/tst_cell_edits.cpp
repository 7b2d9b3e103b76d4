#include "widgets/cell_editor_delegate.h"

#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

// Ending every open cell edit under a widget, as the window does before a
// read, a clear or a rebuild: tables of every kind of delegate side by side,
// each with an editor changed and left open.
class tst_cell_edits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void finishesEveryOpenEditor_data();
    void finishesEveryOpenEditor();
    void cellWidgetsStay();
};

namespace {

enum class delegateKind { storing, ownButton };

// A delegate that knows its editor; `ownButton` stands for an editor that
// stores only on a button of its own.
class knownEditorDelegate : public cellEditorDelegate {
public:
    knownEditorDelegate(bool storesLeft, QObject* parent) : cellEditorDelegate(parent), storesLeft(storesLeft) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return opened(cellEditorDelegate::createEditor(parent, option, index));
    }

protected:
    bool storesWhenLeft(const QWidget*) const override { return storesLeft; }

private:
    bool storesLeft;
};

QTableWidget* table(delegateKind kind, QWidget* parent)
{
    auto* t = new QTableWidget(3, 2, parent);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            t->setItem(r, c, new QTableWidgetItem(QStringLiteral("old")));
    t->setItemDelegate(new knownEditorDelegate(kind == delegateKind::storing, t));
    parent->layout()->addWidget(t);
    return t;
}

// Opens the editor of cell (1, 1) and types into it without finishing.
QPointer<QWidget> typeInto(QTableWidget* t)
{
    const QModelIndex cell = t->model()->index(1, 1);
    t->setCurrentIndex(cell);
    t->edit(cell);
    QPointer<QWidget> editor = t->indexWidget(cell);
    if (auto* line = qobject_cast<QLineEdit*>(editor.data()))
        line->setText(QStringLiteral("new"));
    return editor;
}

}  // namespace

Q_DECLARE_METATYPE(delegateKind)

void tst_cell_edits::finishesEveryOpenEditor_data()
{
    QTest::addColumn<delegateKind>("kind");
    QTest::addColumn<QString>("stored");
    QTest::newRow("an editor that stores when left") << delegateKind::storing << QStringLiteral("new");
    QTest::newRow("an editor with a button of its own") << delegateKind::ownButton << QStringLiteral("old");
}

void tst_cell_edits::finishesEveryOpenEditor()
{
    QFETCH(delegateKind, kind);
    QFETCH(QString, stored);

    // The table inside a page of the window, beside another table.
    QWidget window;
    window.setLayout(new QVBoxLayout);
    auto* page = new QWidget(&window);
    page->setLayout(new QVBoxLayout);
    window.layout()->addWidget(page);
    QTableWidget* other = table(delegateKind::storing, &window);
    QTableWidget* edited = table(kind, page);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPointer<QWidget> editor = typeInto(edited);
    QVERIFY(qobject_cast<QLineEdit*>(editor.data()));

    finishCellEdits(&window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(!editor);
    QCOMPARE(edited->item(1, 1)->text(), stored);
    QCOMPARE(edited->item(1, 0)->text(), QStringLiteral("old"));
    QCOMPARE(other->item(1, 1)->text(), QStringLiteral("old"));
}

// A widget the table shows in a cell is no editor: with no editor open,
// the current cell holding one, nothing is stored and the widget stays.
void tst_cell_edits::cellWidgetsStay()
{
    QWidget window;
    window.setLayout(new QVBoxLayout);
    QTableWidget* t = table(delegateKind::storing, &window);
    auto* line = new QLineEdit(QStringLiteral("in the cell"));
    t->setCellWidget(1, 1, line);
    t->setCurrentCell(1, 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    finishCellEdits(&window);
    finishCellEdits(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(t->cellWidget(1, 1), line);
    QVERIFY(line->isVisible());
    QCOMPARE(t->item(1, 1)->text(), QStringLiteral("old"));
}

QTEST_MAIN(tst_cell_edits)
#include "tst_cell_edits.moc"
