#include "support/page_fixture.h"

#include "model/events.h"
#include "settings/asettings_descs_widget.h"
#include "settings/asettings_ired_tab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include <memory>

namespace {

// The description a row of a category stands for, in the controller.
QString& entryOf(kv310_controller_class& c, int category, int row)
{
    switch (category) {
    case 0: return c.stateDescriptions[size_t(row)];
    case 1: return c.panelDescriptions[size_t(row)];
    case 2: return c.inputDescriptions[size_t(row)];
    case 3: return c.rcuKeyDescriptions[size_t(row)];
    case 4: return c.sceneDescriptions[size_t(row)];
    case 5: return c.maskDescriptions[size_t(row)];
    case 6: return c.programDescriptions[size_t(row)];
    case 7: return c.eventDescriptions[size_t(EVENT_TIMER + row)];
    case 8: return c.eventDescriptions[size_t(EVENT_DELAY_END + row)];
    case 9: return c.eventDescriptions[size_t(EVENT_SEQUENCE_START + row)];
    case 10: return c.eventDescriptions[size_t(EVENT_DMX_IN + row)];
    case 11: return c.eventDescriptions[size_t(EVENT_DMX_OUT + row)];
    case 12: return c.eventDescriptions[size_t(EVENT_INTERNAL + row)];
    case 13: return c.eventDescriptions[size_t(EVENT_INPUT + row)];
    default: return c.eventDescriptions[size_t(EVENT_RC_BUTTON + row)];
    }
}

QString cellText(const showDesc_class& table, int row, int column)
{
    return table.model()->index(row, column).data(Qt::DisplayRole).toString();
}

// Edits one description cell as the view does: editor, its data, the model.
std::unique_ptr<QWidget> editCell(showDesc_class& table, int row, const QString& text, QString* shown = nullptr)
{
    const QModelIndex index = table.model()->index(row, 1);
    QStyleOptionViewItem option;
    std::unique_ptr<QWidget> editor(table.descDelegate->createEditor(table.viewport(), option, index));
    auto* edit = qobject_cast<QLineEdit*>(editor.get());
    if (!edit)
        return editor;
    table.descDelegate->setEditorData(edit, index);
    if (shown)
        *shown = edit->text();
    edit->setText(text);
    table.descDelegate->setModelData(edit, table.model(), index);
    return editor;
}

} // namespace

class tst_descs_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithTheStates();
    void rowsOfEveryCategory_data();
    void rowsOfEveryCategory();
    void itemLabelsAreNotEditable();
    void remoteButtonsShareTheTabTexts();
};

void tst_descs_page::startsWithTheStates()
{
    pageFixture f;
    f.controller().stateDescriptions[3] = QStringLiteral("fog on");
    asettings_descs_widget page(&f.tab);

    QCOMPARE(page.categoryCombo->count(), 15);
    QCOMPARE(page.categoryCombo->currentIndex(), 0);
    QCOMPARE(page.descTable->rowCount(), 68);
    QCOMPARE(page.descTable->currentRow(), 0);
    QCOMPARE(page.descTable->currentColumn(), 1);
    QCOMPARE(cellText(*page.descTable, 3, 1), QStringLiteral("fog on"));
    QCOMPARE(cellText(*page.descTable, 4, 1), QString());
}

void tst_descs_page::rowsOfEveryCategory_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");

    QTest::newRow("first state") << 0 << 68 << 0 << "State S1";
    QTest::newRow("last state") << 0 << 68 << 67 << "State S68";
    QTest::newRow("last panel") << 1 << 14 << 13 << "Panel 14";
    QTest::newRow("last input") << 2 << 24 << 23 << "Input 24";
    QTest::newRow("remote button") << 3 << 64 << 5 << "Button 6";
    QTest::newRow("last scene") << 4 << 10240 << 10239 << "Scene 10240";
    QTest::newRow("last mask") << 5 << 256 << 255 << "Mask 256";
    QTest::newRow("last program") << 6 << 512 << 511 << "Program 512";
    QTest::newRow("sunrise timer") << 7 << 1024 << 0 << "Timer 1";
    QTest::newRow("sunset timer") << 7 << 1024 << 1 << "Timer 2";
    QTest::newRow("last delay") << 8 << 512 << 511 << "Delay 512";
    QTest::newRow("last sequence") << 9 << 128 << 127 << "Sequence 128";
    QTest::newRow("DMX input on") << 10 << 1024 << 0 << "Channel 1: on";
    QTest::newRow("DMX input off") << 10 << 1024 << 3 << "Channel 2: off";
    QTest::newRow("last DMX output") << 11 << 1024 << 1023 << "Channel 512: off";
    QTest::newRow("power-on event") << 12 << 1024 << 0 << "Internal event 1";
    QTest::newRow("last input event") << 13 << 48 << 47 << "Input 24: off";
    QTest::newRow("repeated key") << 14 << 192 << 4 << "Btn 2: repeated";
    QTest::newRow("last key event") << 14 << 192 << 191 << "Btn 64: released";
}

void tst_descs_page::rowsOfEveryCategory()
{
    QFETCH(int, category);
    QFETCH(int, rows);
    QFETCH(int, row);
    QFETCH(QString, label);

    pageFixture f;
    kv310_controller_class& c = f.controller();
    entryOf(c, category, row) = QStringLiteral("before");
    asettings_descs_widget page(&f.tab);
    showDesc_class& table = *page.descTable;
    page.categoryCombo->setCurrentIndex(category);

    QCOMPARE(table.currentCategory, category);
    QCOMPARE(table.rowCount(), rows);
    QCOMPARE(cellText(table, row, 0), label);
    QCOMPARE(cellText(table, row, 1), QStringLiteral("before"));

    QString shown;
    const auto editor = editCell(table, row, QStringLiteral("after"), &shown);
    QVERIFY(editor);
    QCOMPARE(shown, QStringLiteral("before"));
    QCOMPARE(entryOf(c, category, row), QStringLiteral("after"));
    QCOMPARE(cellText(table, row, 1), QStringLiteral("after"));

    // A description read from a file shows at the next refresh.
    entryOf(c, category, row) = QStringLiteral("  from a file ");
    page.refresh();
    QCOMPARE(cellText(table, row, 1), QStringLiteral("  from a file "));
}

void tst_descs_page::itemLabelsAreNotEditable()
{
    pageFixture f;
    asettings_descs_widget page(&f.tab);
    QStyleOptionViewItem option;
    const QModelIndex label = page.descTable->model()->index(2, 0);
    QVERIFY(!page.descTable->descDelegate->createEditor(page.descTable->viewport(), option, label));
}

void tst_descs_page::remoteButtonsShareTheTabTexts()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    asettings_descs_widget page(&f.tab);
    asettings_ired_tab tab(&f.tab);
    tab.build();
    page.categoryCombo->setCurrentIndex(3);

    const auto editor = editCell(*page.descTable, 2, QStringLiteral("Blackout"));
    tab.refresh();
    QCOMPARE(tab.buttonModel->index(2, 2).data().toString(), QStringLiteral("Blackout"));

    tab.buttonView->setCurrentIndex(tab.buttonModel->index(7, 0));
    tab.descriptionEdit->setText(QStringLiteral("House lights"));
    tab.disableDescEdition();
    QCOMPARE(c.rcuKeyDescriptions[7], QStringLiteral("House lights"));
    page.refresh();
    QCOMPARE(cellText(*page.descTable, 7, 1), QStringLiteral("House lights"));
}

QTEST_MAIN(tst_descs_page)
#include "tst_descs_page.moc"
