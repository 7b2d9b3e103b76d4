#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_ired_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/events/aevents_vkeys_widget.h"
#include "editors/events/asettings_inputs_widget.h"
#include "support/page_fixture.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

constexpr int INPUT2_ON = EVENT_INPUT + 2;
constexpr int INPUT2_OFF = EVENT_INPUT + 3;
constexpr int INPUT3_ON = EVENT_INPUT + 4;

enum class colour { base, green, beige, other };

colour rowColour(const pageListView* list, int row, int column = 0)
{
    const QBrush brush = list->model()->index(row, column).data(Qt::BackgroundRole).value<QBrush>();
    if (brush.color() == pageStyle::usedColour() && brush.style() == Qt::SolidPattern)
        return colour::green;
    if (brush.color() == pageStyle::lockedColour() && brush.style() == Qt::SolidPattern)
        return colour::beige;
    if (brush == pageStyle::emptyBrush())
        return colour::base;
    return colour::other;
}

QString rowText(const pageListView* list, int row)
{
    return list->model()->index(row, 0).data().toString();
}

void addAction(eventTable& events, int id, int type, int number = 0, int sub = SUB_OFF)
{
    const int i = events.appendAction(id);
    events.setActionType(id, i, type);
    events.setNumber(id, i, number);
    events.setSubAction(id, i, sub);
}

void setInputType(kv310_controller_class& c, int input, int32_t type)
{
    img::putI32(c.configImage, img::inputTypesOf(input), type);
}

// Selects a row of an event list as the user does.
void pick(pageListView* list, int row)
{
    list->setCurrentCell(row, 0);
}

// What a list's delegate makes of a cell to draw it (its text cut or not).
struct delegateOpener : elidingDelegate {
    static void fill(const elidingDelegate& delegate, QStyleOptionViewItem* option, const QModelIndex& index)
    {
        (delegate.*&delegateOpener::initStyleOption)(option, index);
    }
};

void drawnOption(const elidingDelegate& delegate, QStyleOptionViewItem* option, const QModelIndex& index)
{
    delegateOpener::fill(delegate, option, index);
}

}  // namespace

Q_DECLARE_METATYPE(colour)

// The event-source pages: their lists, titles and descriptions, the rows
// that cannot be used, the enabling source they release, and the input
// types table that decides which inputs are used.
class tst_event_pages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inputRowsShowTypeAndActions();
    void inputTextsFallBack_data();
    void inputTextsFallBack();
    void descriptionsAreStoredTrimmed();
    void longRowTextsAreCut();
    void descriptionLinesTakeTheMouse();
    void leavingAnInputReleasesItsEnablingRole_data();
    void leavingAnInputReleasesItsEnablingRole();
    void reloadKeepsTheSelectedRow();
    void aReadRedrawsTheShownRows();
    void targetDescriptionFollowsTheCurrentAction();
    void internalEventTexts();
    void buttonRowsAndTexts();
    void leavingAButtonReleasesOnlyItsRole();
    void dmxInputRowsThatCannotBeUsed();
    void dmxOutputRange_data();
    void dmxOutputRange();
    void dmxOutputDescriptions();
    void dmxOutputCurrentEventFollowsTheRange_data();
    void dmxOutputCurrentEventFollowsTheRange();
    void inputTypesShowAndRepair();
    void inputTypeEditors();
    void unusedInputTurnsItsEventsBeige();
};

// ---- Inputs page --------------------------------------------------------------------

void tst_event_pages::inputRowsShowTypeAndActions()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setInputType(c, 1, -1);
    addAction(c.events, INPUT2_ON, ACTION_SCENE);
    addAction(c.events, INPUT3_ON + 1, ACTION_PROGRAM);  // input 3: Off only
    aevents_inputs_widget page(&f.tab);
    QCOMPARE(page.eventList->rowCount(), 48);

    QCOMPARE(rowColour(page.eventList, 0), colour::base);
    QCOMPARE(rowColour(page.eventList, 2), colour::beige);  // unused, with actions
    QCOMPARE(rowColour(page.eventList, 3), colour::beige);
    QCOMPARE(rowColour(page.eventList, 4), colour::base);
    QCOMPARE(rowColour(page.eventList, 5), colour::green);
    QVERIFY(page.actionPanel->isEnabled());

    // An unused input's events are shown but not edited.
    pick(page.eventList, 3);
    QCOMPARE(page.currentEvent, INPUT2_OFF);
    QVERIFY(!page.actionPanel->isEnabled());
    pick(page.eventList, 2);
    QCOMPARE(page.actionPanel->actionTable->rowCount(), 1);
    QVERIFY(!page.actionPanel->isEnabled());
    pick(page.eventList, 5);
    QVERIFY(page.actionPanel->isEnabled());
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Input 3 (Off)"));
    QCOMPARE(page.actionPanel->panelEvent, INPUT3_ON + 1);

    // A type the controller does not know counts as unused, as the types table shows it.
    setInputType(c, 2, 7);
    page.refresh();
    QCOMPARE(rowColour(page.eventList, 5), colour::beige);
    QVERIFY(!page.actionPanel->isEnabled());
}

void tst_event_pages::inputTextsFallBack_data()
{
    QTest::addColumn<QString>("onDescription");
    QTest::addColumn<QString>("inputDescription");
    QTest::addColumn<QString>("onRow");
    QTest::addColumn<QString>("offRow");
    QTest::addColumn<QString>("edit");  // the description edit with the On event selected

    QTest::newRow("own description") << "Door" << "Hall" << "Input 3 (On) - Door" << "Input 3 (Off) - Hall" << "Door";
    QTest::newRow("input description") << "" << "Hall" << "Input 3 (On) - Hall" << "Input 3 (Off) - Hall" << "Hall: On";
    QTest::newRow("none") << "" << "" << "Input 3 (On) - no description" << "Input 3 (Off) - no description" << "";
}

void tst_event_pages::inputTextsFallBack()
{
    QFETCH(QString, onDescription);
    QFETCH(QString, inputDescription);
    QFETCH(QString, onRow);
    QFETCH(QString, offRow);
    QFETCH(QString, edit);

    pageFixture f;
    f.controller().eventDescriptions[INPUT3_ON] = onDescription;
    f.controller().inputDescriptions[2] = inputDescription;
    aevents_inputs_widget page(&f.tab);
    QCOMPARE(rowText(page.eventList, 4), onRow);
    QCOMPARE(rowText(page.eventList, 5), offRow);
    pick(page.eventList, 4);
    QCOMPARE(page.descriptionEdit->text(), edit);
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Input 3 (On)"));
    // Showing the fallback stores nothing.
    QCOMPARE(f.controller().eventDescriptions[INPUT3_ON], onDescription);
    if (!inputDescription.isEmpty() && onDescription.isEmpty()) {
        pick(page.eventList, 5);
        QCOMPARE(page.descriptionEdit->text(), inputDescription + ": Off");
    }
}

void tst_event_pages::descriptionsAreStoredTrimmed()
{
    pageFixture f;
    aevents_inputs_widget inputs(&f.tab);
    pick(inputs.eventList, 4);
    inputs.descriptionEdit->setText(QStringLiteral("  Front door \t"));
    emit inputs.descriptionEdit->editingFinished();
    QCOMPARE(f.controller().eventDescriptions[INPUT3_ON], QStringLiteral("Front door"));
    QCOMPARE(inputs.descriptionEdit->text(), QStringLiteral("Front door"));
    QCOMPARE(rowText(inputs.eventList, 4), QStringLiteral("Input 3 (On) - Front door"));

    // Cleared, the row falls back again.
    inputs.descriptionEdit->setText(QStringLiteral("   "));
    emit inputs.descriptionEdit->editingFinished();
    QCOMPARE(f.controller().eventDescriptions[INPUT3_ON], QString());
    QCOMPARE(rowText(inputs.eventList, 4), QStringLiteral("Input 3 (On) - no description"));

    QWidget other;
    aevents_vkeys_widget vkeys(&other);
    vkeys.descriptionEdit->setText(QStringLiteral(" Night mode "));
    emit vkeys.descriptionEdit->editingFinished();
    QCOMPARE(f.controller().eventDescriptions[EVENT_POWER_ON], QStringLiteral("Night mode"));
    QCOMPARE(rowText(vkeys.eventList, 0), QStringLiteral("Night mode"));
    QCOMPARE(vkeys.titleLabel->text(), QStringLiteral("Power On"));
}

void tst_event_pages::longRowTextsAreCut()
{
    pageFixture f;
    const QString longText = QString(120, QLatin1Char('W'));
    f.controller().eventDescriptions[EVENT_INPUT] = longText;
    aevents_inputs_widget page(&f.tab);
    page.eventList->setColumnWidth(0, 600);
    page.refresh();

    // The list keeps the whole text and cuts it where it draws it, to twice
    // the column's width as made, however wide the column is now.
    QCOMPARE(rowText(page.eventList, 0), QStringLiteral("Input 1 (On) - ") + longText);
    const QModelIndex first = page.eventModel->index(0, 0);
    const auto* delegate = qobject_cast<const elidingDelegate*>(page.eventList->itemDelegateForIndex(first));
    QVERIFY(delegate);
    QStyleOptionViewItem option;
    option.initFrom(page.eventList);
    drawnOption(*delegate, &option, first);
    const QString shown = option.text;
    QVERIFY(shown.startsWith(QStringLiteral("Input 1 (On) - WWW")));
    QVERIFY(shown.endsWith(QChar(0x2026)));
    const QFontMetrics metrics(page.eventList->font());
    QVERIFY(metrics.horizontalAdvance(shown) <= 360);
    QVERIFY(metrics.horizontalAdvance(shown) > 180);
}

void tst_event_pages::descriptionLinesTakeTheMouse()
{
    // The panel's rectangle reaches over the line that shows the description
    // of the current action's object; the line, not the panel, gets the click.
    pageFixture f;
    f.tab.resize(850, 660);
    aevents_inputs_widget page(&f.tab);
    f.tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.tab));
    const QPoint onLine = page.targetDescriptionEdit->geometry().center();
    QVERIFY(page.actionPanel->geometry().contains(onLine));
    QCOMPARE(f.tab.childAt(onLine), page.targetDescriptionEdit);
    const QPoint onAdd = page.actionPanel->addActionButton->geometry().center() + page.actionPanel->pos();
    QCOMPARE(f.tab.childAt(onAdd), page.actionPanel->addActionButton);
}

void tst_event_pages::leavingAnInputReleasesItsEnablingRole_data()
{
    QTest::addColumn<bool>("offKeepsOne");
    QTest::addColumn<int>("nextRow");
    QTest::addColumn<int>("expected");

    QTest::newRow("to the other row of input 2") << false << 3 << -1;
    QTest::newRow("to another input") << false << 10 << -1;
    QTest::newRow("an enabling action left on off") << true << 10 << 1;
}

void tst_event_pages::leavingAnInputReleasesItsEnablingRole()
{
    QFETCH(bool, offKeepsOne);
    QFETCH(int, nextRow);
    QFETCH(int, expected);

    pageFixture f;
    eventTable& events = f.controller().events;
    addAction(events, INPUT2_ON, ACTION_ENABLING, 0, SUB_ON);
    if (offKeepsOne)
        addAction(events, INPUT2_OFF, ACTION_ENABLING, 0, SUB_OFF);
    events.enablingSource = 1;
    aevents_inputs_widget page(&f.tab);
    pick(page.eventList, 2);

    // Deleting the On event's Enabling action gives the role up at once
    // unless the Off event still holds one.
    page.actionPanel->actionTable->selectRow(0);
    page.actionPanel->delActionButton->click();
    QCOMPARE(events.actionCount(INPUT2_ON), 0);
    QCOMPARE(events.enablingSource, offKeepsOne ? 1 : -1);

    // A role held without any Enabling action (as a load may leave it) goes
    // when the input is left.
    events.enablingSource = 1;
    pick(page.eventList, nextRow);
    QCOMPARE(events.enablingSource, expected);
}

void tst_event_pages::reloadKeepsTheSelectedRow()
{
    pageFixture f;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("show.31xcfg"));
    kv310_controller_class& c = f.controller();
    addAction(c.events, EVENT_INPUT + 5, ACTION_MASK, 6);
    addAction(c.events, EVENT_INPUT + 5, ACTION_MASK, 7);
    addAction(c.events, 9, ACTION_SCENE, 1);
    c.write_confDataToFile(file, false);
    c.ClearConfig(CLEAR_ALL);

    aevents_inputs_widget inputs(&f.tab);
    QWidget dmxTab;
    aevents_dmx_widget dmx(&dmxTab);
    pick(inputs.eventList, 5);
    pick(dmx.eventList, 9);
    QCOMPARE(inputs.actionPanel->actionTable->rowCount(), 0);

    c.read_confDataFromFile(file);
    QCOMPARE(inputs.eventList->currentRow(), 5);
    QCOMPARE(inputs.currentEvent, EVENT_INPUT + 5);
    QCOMPARE(inputs.actionPanel->actionTable->rowCount(), 2);
    QCOMPARE(rowColour(inputs.eventList, 5), colour::green);
    QCOMPARE(dmx.eventList->currentRow(), 9);
    QCOMPARE(dmx.actionPanel->actionTable->rowCount(), 1);

    // After a read from the controller as well.
    c.ClearConfig(CLEAR_ALL);
    emit c.readKv310Finished();
    QCOMPARE(inputs.eventList->currentRow(), 5);
    QCOMPARE(inputs.actionPanel->actionTable->rowCount(), 0);
    QCOMPARE(rowColour(inputs.eventList, 5), colour::base);
}

void tst_event_pages::aReadRedrawsTheShownRows()
{
    pageFixture f;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("show.31xcfg"));
    kv310_controller_class& c = f.controller();
    c.eventDescriptions[7] = QStringLiteral("Stage door");
    addAction(c.events, 7, ACTION_SCENE, 1);
    c.write_confDataToFile(file, false);
    c.ClearConfig(CLEAR_ALL);

    f.tab.resize(850, 660);
    aevents_dmx_widget page(&f.tab);
    f.tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.tab));
    pick(page.eventList, 9);
    // A corner of the row's cell, clear of its text.
    const QRect row = page.eventList->visualRect(page.eventModel->index(7, 0));
    const auto shownColour = [&] {
        const QImage shot = page.eventList->viewport()->grab().toImage();
        return QColor(shot.pixel(row.right() - 3, row.bottom() - 3));
    };
    QCOMPARE(shownColour(), pageStyle::emptyBrush().color());

    // One notice for every row; the list draws what the read brought.
    QSignalSpy notices(page.eventModel, &QAbstractItemModel::dataChanged);
    c.read_confDataFromFile(file);
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(notices.at(0).at(1).toModelIndex().row(), 1023);
    QCOMPARE(page.eventList->currentRow(), 9);
    QVERIFY(page.eventList->selectionModel()->isRowSelected(9, QModelIndex()));
    QCOMPARE(page.eventList->text(7), QStringLiteral("Dmx Ch. 4 (Off) - Stage door"));
    QCOMPARE(shownColour(), pageStyle::usedColour());
}

void tst_event_pages::targetDescriptionFollowsTheCurrentAction()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.sceneDescriptions[11] = QStringLiteral("Stage wash");
    c.eventDescriptions[EVENT_DELAY_END + 4] = QStringLiteral("Fade timer");
    addAction(c.events, INPUT3_ON, ACTION_SCENE, 11, SUB_ON);
    addAction(c.events, INPUT3_ON, ACTION_DELAY, 4, SUB_OFF);
    addAction(c.events, INPUT3_ON, ACTION_ENABLING, 0, SUB_ON);
    aevents_inputs_widget page(&f.tab);
    pick(page.eventList, 4);

    aevents_tableview_widget* table = page.actionPanel->actionTable;
    table->setCurrentCell(0, 0);
    QCOMPARE(page.targetDescriptionEdit->text(), QStringLiteral("Stage wash"));
    table->setCurrentCell(1, 0);
    QCOMPARE(page.targetDescriptionEdit->text(), QStringLiteral("Fade timer"));
    table->setCurrentCell(2, 0);
    QCOMPARE(page.targetDescriptionEdit->text(), QString());
    table->setCurrentCell(0, 0);
    pick(page.eventList, 6);
    QCOMPARE(page.targetDescriptionEdit->text(), QString());
    QCOMPARE(table->currentRow(), -1);
}

// ---- Internal events and remote-control buttons ------------------------------------

void tst_event_pages::internalEventTexts()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.eventDescriptions[EVENT_INTERNAL + 5] = QStringLiteral("Alarm");
    addAction(c.events, EVENT_INTERNAL + 1023, ACTION_SCENE);
    aevents_vkeys_widget page(&f.tab);

    QCOMPARE(page.eventList->rowCount(), 1024);
    QCOMPARE(rowText(page.eventList, 0), QStringLiteral("Power On"));
    QCOMPARE(rowText(page.eventList, 1), QStringLiteral("Internal Event 2 - no description"));
    QCOMPARE(rowText(page.eventList, 5), QStringLiteral("Int. ev. 6 - Alarm"));
    QCOMPARE(rowColour(page.eventList, 1023), colour::green);
    QCOMPARE(rowColour(page.eventList, 1022), colour::base);

    pick(page.eventList, 1);
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Internal Event 2"));
    pick(page.eventList, 1023);
    QCOMPARE(page.currentEvent, 0x7FF);
    QCOMPARE(page.actionPanel->actionTable->rowCount(), 1);
    pick(page.eventList, 0);
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Power On"));
}

void tst_event_pages::buttonRowsAndTexts()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.rcuKeyCodes.fill(0xFF);
    c.rcuKeyCodes[4] = 63;
    c.rcuKeyCodes[5] = 12;
    c.rcuKeyDescriptions[4] = QStringLiteral("Lamp %1");
    c.eventDescriptions[EVENT_RC_BUTTON + 13] = QStringLiteral("Dim %2");
    addAction(c.events, EVENT_RC_BUTTON + 12, ACTION_SCENE);
    addAction(c.events, EVENT_RC_BUTTON + 6, ACTION_SCENE);
    aevents_ired_widget page(&f.tab);

    QCOMPARE(page.eventList->rowCount(), 192);
    QCOMPARE(rowText(page.eventList, 12), QStringLiteral("Btn 5 pres. - Lamp %1"));
    QCOMPARE(rowText(page.eventList, 13), QStringLiteral("Btn 5 rept. - Dim %2"));
    QCOMPARE(rowText(page.eventList, 14), QStringLiteral("Btn 5 rlsd. - Lamp %1"));
    QCOMPARE(rowText(page.eventList, 18), QStringLiteral("Button No. 7 pressed - no description"));
    QCOMPARE(rowColour(page.eventList, 12), colour::green);
    QCOMPARE(rowColour(page.eventList, 13), colour::base);
    QCOMPARE(rowColour(page.eventList, 6), colour::beige);  // unlearnt, with an action
    QCOMPARE(rowColour(page.eventList, 8), colour::beige);
    QVERIFY(!page.actionPanel->isEnabled());  // button 1 has no key code

    pick(page.eventList, 14);
    QVERIFY(page.actionPanel->isEnabled());
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Button No. 5 - released"));
    QCOMPARE(page.descriptionEdit->text(), QStringLiteral("Lamp %1 : released"));
    pick(page.eventList, 7);
    QVERIFY(!page.actionPanel->isEnabled());

    // The key codes read later show after afterReload().
    c.rcuKeyCodes[2] = 0;
    page.afterReload();
    QCOMPARE(page.eventList->currentRow(), 7);
    QCOMPARE(rowColour(page.eventList, 6), colour::green);
    QCOMPARE(rowColour(page.eventList, 7), colour::base);
    QVERIFY(page.actionPanel->isEnabled());

    page.descriptionEdit->setText(QStringLiteral(" Up %1 "));
    emit page.descriptionEdit->editingFinished();
    QCOMPARE(c.eventDescriptions[EVENT_RC_BUTTON + 7], QStringLiteral("Up %1"));
    QCOMPARE(rowText(page.eventList, 7), QStringLiteral("Btn 3 rept. - Up %1"));
}

void tst_event_pages::leavingAButtonReleasesOnlyItsRole()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.rcuKeyCodes.fill(1);
    eventTable& events = c.events;
    aevents_ired_widget page(&f.tab);

    // Input 3 holds the role: moving through button 3 leaves it alone.
    events.enablingSource = 2;
    for (int r = 6; r <= 10; ++r)
        pick(page.eventList, r);
    QCOMPARE(events.enablingSource, 2);

    // Button 3 holds it without an Enabling action: leaving any of its rows frees it.
    events.enablingSource = 26;
    pick(page.eventList, 7);
    pick(page.eventList, 8);
    QCOMPARE(events.enablingSource, -1);

    // One left on its released event keeps it.
    addAction(events, EVENT_RC_BUTTON + 8, ACTION_ENABLING, 0, SUB_TOGGLE);
    events.enablingSource = 26;
    pick(page.eventList, 6);
    pick(page.eventList, 40);
    QCOMPARE(events.enablingSource, 26);
}

// ---- DMX pages ----------------------------------------------------------------------

void tst_event_pages::dmxInputRowsThatCannotBeUsed()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    uint8_t* image = c.configImage;
    img::putU16(image, img::asControlChannel, 4);
    for (int w = 0; w < 16; ++w)
        img::putU32(image, img::dmxInPhaseMaskOf(w), 0xFFFFFFFF);
    img::putU32(image, img::dmxInPhaseMaskOf(0), ~(1u << 9));  // channel 10 may set phases
    addAction(c.events, 19, ACTION_SCENE);
    addAction(c.events, 20, ACTION_SCENE);
    aevents_dmx_widget page(&f.tab);

    QCOMPARE(page.eventList->rowCount(), 1024);
    QCOMPARE(rowText(page.eventList, 19), QStringLiteral("Dmx Ch. 10 (Off) - no description"));
    const QList<colour> expected{colour::base, colour::beige, colour::beige, colour::base, colour::base,
                                 colour::beige, colour::green};
    const QList<int> rows{7, 8, 9, 10, 18, 19, 20};
    for (int k = 0; k < rows.size(); ++k)
        QCOMPARE(rowColour(page.eventList, rows[k]), expected[k]);

    for (int k = 0; k < rows.size(); ++k) {
        pick(page.eventList, rows[k]);
        QCOMPARE(page.currentEvent, rows[k]);
        QCOMPARE(page.actionPanel->isEnabled(), expected[k] != colour::beige);
    }
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Dmx Ch. 11 (On)"));

    img::putU16(image, img::asControlChannel, 0xFFFF);
    page.refresh();
    QCOMPARE(rowColour(page.eventList, 8), colour::base);
}

void tst_event_pages::dmxOutputRange_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("firstId");  // -1: the one row stands for no event
    QTest::addColumn<int>("lastId");

    QTest::newRow("3..5") << 3 << 5 << 6 << 0xC04 << 0xC09;
    QTest::newRow("one channel") << 512 << 512 << 2 << 0xFFE << 0xFFF;
    QTest::newRow("generation off") << 513 << 512 << 1 << -1 << -1;
    QTest::newRow("all channels") << 1 << 512 << 1024 << 0xC00 << 0xFFF;
    QTest::newRow("past the last channel") << 1 << 65536 << 1024 << 0xC00 << 0xFFF;
    QTest::newRow("read with generation off") << 65536 << 65536 << 1 << -1 << -1;
    QTest::newRow("first past last + 1") << 40 << 10 << 1 << -1 << -1;
    QTest::newRow("below the first channel") << -5 << 0 << 2 << 0xC00 << 0xC01;
}

void tst_event_pages::dmxOutputRange()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, rows);
    QFETCH(int, firstId);
    QFETCH(int, lastId);

    pageFixture f;
    aevents_dmxout_widget page(&f.tab);
    page.firstChannel = first;
    page.lastChannel = last;
    page.refresh();
    QCOMPARE(page.eventList->rowCount(), rows);
    QVERIFY(page.lastChannel >= 1 && page.lastChannel <= 512);
    QVERIFY(page.firstChannel >= 1 && page.firstChannel <= page.lastChannel + 1);

    pick(page.eventList, rows - 1);
    pick(page.eventList, 0);
    if (firstId < 0) {
        // The page was built on channel 512, and no row stands for another event.
        QCOMPARE(page.currentEvent, 0xFFE);
        QVERIFY(!(page.eventModel->flags(page.eventModel->index(0, 0)) & Qt::ItemIsEnabled));
        QVERIFY(!(page.eventModel->flags(page.eventModel->index(0, 0)) & Qt::ItemIsSelectable));
        QVERIFY(page.titleLabel->text().startsWith(QStringLiteral("Dmx Ch. 512 ")));
        return;
    }
    QCOMPARE(page.currentEvent, firstId);
    QCOMPARE(page.actionPanel->panelEvent, firstId);
    pick(page.eventList, rows - 1);
    QCOMPARE(page.currentEvent, lastId);
    QVERIFY(page.eventModel->flags(page.eventModel->index(0, 0)) & Qt::ItemIsEnabled);
}

void tst_event_pages::dmxOutputDescriptions()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    c.eventDescriptions[0xC06] = QStringLiteral("Spot 4 up");
    addAction(c.events, 0xC05, ACTION_PROGRAM, 2);
    aevents_dmxout_widget page(&f.tab);
    page.firstChannel = 3;
    page.lastChannel = 5;

    // The range shows at the next refresh, with the highlighted row's event current.
    QCOMPARE(page.eventList->rowCount(), 2);
    QCOMPARE(rowText(page.eventList, 0), QStringLiteral("Dmx Ch. 512 (On) - no description"));
    page.refresh();
    QCOMPARE(page.eventList->rowCount(), 6);
    QCOMPARE(page.currentEvent, 0xC04);
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Dmx Ch. 3 (On)"));
    QCOMPARE(rowText(page.eventList, 0), QStringLiteral("Dmx Ch. 3 (On) - no description"));
    QCOMPARE(rowText(page.eventList, 2), QStringLiteral("Dmx Ch. 4 (On) - Spot 4 up"));
    QCOMPARE(rowColour(page.eventList, 1), colour::green);

    pick(page.eventList, 3);
    QCOMPARE(page.currentEvent, 0xC07);
    QCOMPARE(page.titleLabel->text(), QStringLiteral("Dmx Ch. 4 (Off)"));
    page.descriptionEdit->setText(QStringLiteral(" Spot 4 down "));
    emit page.descriptionEdit->editingFinished();
    QCOMPARE(c.eventDescriptions[0xC07], QStringLiteral("Spot 4 down"));
    QCOMPARE(rowText(page.eventList, 3), QStringLiteral("Dmx Ch. 4 (Off) - Spot 4 down"));

    // Generation switched off: nothing of the page reaches past the output events.
    page.firstChannel = 65536;
    page.lastChannel = 65536;
    page.refresh();
    page.descriptionEdit->setText(QStringLiteral("x"));
    emit page.descriptionEdit->editingFinished();
    QCOMPARE(c.eventDescriptions[0xC07], QStringLiteral("x"));
    QCOMPARE(c.eventDescriptions[EVENT_DELAY_END], QString());
}

void tst_event_pages::dmxOutputCurrentEventFollowsTheRange_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("row");     // chosen in the first range
    QTest::addColumn<int>("newFirst");
    QTest::addColumn<int>("newLast");
    QTest::addColumn<int>("current");  // the event "Add" edits afterwards
    QTest::addColumn<int>("highlighted");

    // A current event the new range keeps stays, and the highlight moves to it.
    QTest::newRow("range grows at the front") << 3 << 5 << 3 << 2 << 5 << 0xC07 << 5;
    QTest::newRow("range grows at the end") << 3 << 5 << 1 << 3 << 9 << 0xC05 << 1;
    // One it drops gives way to the event of the highlighted row.
    QTest::newRow("range moves past it") << 3 << 5 << 3 << 5 << 6 << 0xC0B << 3;
    QTest::newRow("range shrinks below its row") << 1 << 5 << 9 << 1 << 2 << 0xC03 << 3;
    QTest::newRow("range moves below it") << 10 << 12 << 0 << 1 << 3 << 0xC00 << 0;
}

void tst_event_pages::dmxOutputCurrentEventFollowsTheRange()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, row);
    QFETCH(int, newFirst);
    QFETCH(int, newLast);
    QFETCH(int, current);
    QFETCH(int, highlighted);

    pageFixture f;
    kv310_controller_class& c = f.controller();
    aevents_dmxout_widget page(&f.tab);
    page.firstChannel = first;
    page.lastChannel = last;
    page.refresh();
    pick(page.eventList, row);
    page.firstChannel = newFirst;
    page.lastChannel = newLast;
    page.refresh();

    QCOMPARE(page.currentEvent, current);
    QCOMPARE(page.eventList->currentRow(), highlighted);
    page.actionPanel->addActionButton->click();
    for (int id = EVENT_DMX_OUT; id < EVENT_DELAY_END; ++id)
        QCOMPARE(c.events.actionCount(id) > 0, id == current);
}

// ---- Input types --------------------------------------------------------------------

void tst_event_pages::inputTypesShowAndRepair()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    setInputType(c, 4, 7);
    setInputType(c, 5, -1);
    setInputType(c, 6, 1);
    c.inputDescriptions[6] = QStringLiteral("Smoke");
    asettings_inputs_widget table(&f.tab);
    QCOMPARE(img::getI32(c.configImage, img::inputTypesOf(4)), 7);  // building writes nothing

    table.refresh();
    QStandardItemModel* model = table.inputsModel;
    QCOMPARE(model->rowCount(), 24);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Input 1"));
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Normal Open"));
    QCOMPARE(model->index(4, 1).data().toString(), QStringLiteral("Unused"));
    QCOMPARE(img::getI32(c.configImage, img::inputTypesOf(4)), -1);
    QCOMPARE(model->index(5, 1).data().toString(), QStringLiteral("Unused"));
    QCOMPARE(model->index(6, 1).data().toString(), QStringLiteral("Normal Close"));
    QCOMPARE(model->index(6, 2).data().toString(), QStringLiteral("Smoke"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Input Type"));
}

void tst_event_pages::inputTypeEditors()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    asettings_inputs_widget table(&f.tab);
    table.refresh();
    asettings_inputs_delegate* delegate = table.inputsDelegate;
    QStandardItemModel* model = table.inputsModel;
    const auto open = [&](int row, int column) {
        return std::unique_ptr<QWidget>(delegate->createEditor(table.viewport(), QStyleOptionViewItem(),
                                                               model->index(row, column)));
    };

    QVERIFY(!open(3, 0));

    setInputType(c, 3, 1);
    std::unique_ptr<QWidget> typeEditor = open(3, 1);
    auto* combo = qobject_cast<QComboBox*>(typeEditor.get());
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QStringLiteral("Unused"));
    delegate->setEditorData(combo, model->index(3, 1));
    QCOMPARE(combo->currentIndex(), 2);
    combo->setCurrentIndex(0);
    delegate->setModelData(combo, model, model->index(3, 1));
    QCOMPARE(img::getI32(c.configImage, img::inputTypesOf(3)), -1);
    QCOMPARE(model->index(3, 1).data().toString(), QStringLiteral("Unused"));

    c.inputDescriptions[8] = QStringLiteral("  Gate ");
    std::unique_ptr<QWidget> textEditor = open(8, 2);
    auto* edit = qobject_cast<QLineEdit*>(textEditor.get());
    QVERIFY(edit);
    delegate->setEditorData(edit, model->index(8, 2));
    QCOMPARE(edit->text(), QStringLiteral("Gate"));
    edit->setText(QStringLiteral("  Back gate  "));
    delegate->setModelData(edit, model, model->index(8, 2));
    QCOMPARE(c.inputDescriptions[8], QStringLiteral("Back gate"));
    QCOMPARE(model->index(8, 2).data().toString(), QStringLiteral("  Back gate  "));
    table.refresh();
    QCOMPARE(model->index(8, 2).data().toString(), QStringLiteral("Back gate"));
}

void tst_event_pages::unusedInputTurnsItsEventsBeige()
{
    pageFixture f;
    kv310_controller_class& c = f.controller();
    addAction(c.events, INPUT2_ON, ACTION_SCENE);
    QWidget settingsTab;
    asettings_inputs_widget table(&settingsTab);
    table.refresh();
    aevents_inputs_widget page(&f.tab);
    QCOMPARE(rowColour(page.eventList, 2), colour::green);

    std::unique_ptr<QWidget> editor(table.inputsDelegate->createEditor(table.viewport(), QStyleOptionViewItem(),
                                                                       table.inputsModel->index(1, 1)));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    QVERIFY(combo);
    combo->setCurrentIndex(0);
    table.inputsDelegate->setModelData(combo, table.inputsModel, table.inputsModel->index(1, 1));
    page.refresh();  // as the page is shown again
    QCOMPARE(rowColour(page.eventList, 2), colour::beige);
    QCOMPARE(rowColour(page.eventList, 3), colour::beige);
}

QTEST_MAIN(tst_event_pages)
#include "tst_event_pages.moc"
