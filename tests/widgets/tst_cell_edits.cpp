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
    void nothingOpen();
};

namespace {

enum class delegateKind { plain, storing, ownButton };

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
    if (kind != delegateKind::plain)
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
    QTest::newRow("a delegate of Qt's own") << delegateKind::plain << QStringLiteral("new");
    QTest::newRow("a delegate that knows its editor") << delegateKind::storing << QStringLiteral("new");
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

void tst_cell_edits::nothingOpen()
{
    QWidget window;
    window.setLayout(new QVBoxLayout);
    QTableWidget* t = table(delegateKind::plain, &window);
    t->setCurrentCell(1, 1);
    finishCellEdits(&window);
    finishCellEdits(t);
    finishCellEdits(nullptr);
    QCOMPARE(t->item(1, 1)->text(), QStringLiteral("old"));
    QVERIFY(!t->indexWidget(t->currentIndex()));
}

QTEST_MAIN(tst_cell_edits)
#include "tst_cell_edits.moc"
