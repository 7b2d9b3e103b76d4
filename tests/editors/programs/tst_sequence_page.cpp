#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/programs/aseq_conf_delegate.h"
#include "editors/programs/aseq_conf_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "list_probe.h"
#include "model/sequence_chain.h"
#include "support/page_fixture.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_style.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QFontMetrics>
#include <QStandardItemModel>
#include <QTest>
#include <memory>

namespace {

void addAction(eventTable& events, int id, int type, int number, int sub)
{
    const int i = events.appendAction(id);
    events.setActionType(id, i, type);
    events.setNumber(id, i, number);
    events.setSubAction(id, i, sub);
}

// A sequence page on the fixture's tab.
struct sequencePageFixture : pageFixture {
    std::unique_ptr<aseq_settings_widget> page;

    void build() { page = std::make_unique<aseq_settings_widget>(&tab); }
    aseq_conf_widget* table() const { return page->stepTable; }
    QAbstractItemModel* model() const { return page->stepTable->model(); }
    void pickSequence(int q) { page->sequenceList->setCurrentCell(q, 0); }
    void pickRow(int row) { table()->setCurrentIndex(model()->index(row, 0)); }
    QString cell(int row, int column) const { return cellText(model(), row, column); }
    QStringList column(int c) const { return columnTexts(model(), c); }
    bool listGreen(int q) const
    {
        const QBrush b = rowBrush(page->sequenceList, q);
        return b.color() == pageStyle::usedColour() && b.style() == Qt::SolidPattern;
    }
    // The user types a step count and finishes typing.
    void setSteps(int n) { page->stepCountBox->setValue(n); }
    void setTime(int d, uint32_t tenths)
    {
        const uint32_t w = img::getU32(controller().configImage, img::delaysOf(d));
        img::putU32(controller().configImage, img::delaysOf(d), delayWord::make(tenths, delayWord::sequence(w)));
    }
};

}  // namespace

// The sequence page: the list of sequences, the step table with its delay
// times and running totals, the step count, Insert, Delete and "Finish prev.
// step", the action panel of the chosen row and the description.
class tst_sequence_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithTheFirstSequence();
    void choosingASequenceShowsItsSteps();
    void stepCountMakesAndRemovesSteps();
    void insertAndDeleteReportTheCountOnce();
    void panelShowsTheActionsOfTheChosenRow();
    void finishButtonSwitchesOffAndReloads();
    void globalTimesCountDays();
    void growthStopsWhereTheDelaysRunOut();
    void descriptionIsStoredAndCut();
    void refreshRedrawsTheVisibleRows();
    void delayTimeEditor();
};

void tst_sequence_page::startsWithTheFirstSequence()
{
    sequencePageFixture f;
    f.build();
    pageListView* list = f.page->sequenceList;
    QCOMPARE(list->rowCount(), 128);
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Sequences"));
    QCOMPARE(list->geometry().topLeft(), QPoint(10, 10));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->text(127), QStringLiteral("no description"));
    QCOMPARE(f.page->sequenceLabel->text(), QStringLiteral("Sequence No. 1"));
    QCOMPARE(f.table()->sequenceNumber, 0);
    QCOMPARE(f.model()->rowCount(), 0);
    QCOMPARE(f.page->stepCountBox->value(), 0);
    QCOMPARE(f.page->actionPanel->pageKind, 103);
    QCOMPARE(f.page->actionPanel->panelEvent, 0xFFFF);
    QVERIFY(f.page->stepCountBox->keyboardTracking() == false);
    QCOMPARE(f.page->refreshCount, 1);
}

void tst_sequence_page::choosingASequenceShowsItsSteps()
{
    sequencePageFixture f;
    sequenceChain(f.controller(), 3).setLength(2);
    f.build();

    f.pickSequence(3);
    QCOMPARE(f.page->currentSequence, 3);
    QCOMPARE(f.page->sequenceLabel->text(), QStringLiteral("Sequence No. 4"));
    QCOMPARE(f.page->stepCountBox->value(), 2);
    QCOMPARE(f.column(0), (QStringList{"   1", "   2", "finish"}));
    QCOMPARE(f.page->actionPanel->panelEvent, 0xFFFF);
    QVERIFY(f.listGreen(3));
    QVERIFY(!f.listGreen(0));
    // Showing a sequence changes nothing in it.
    QCOMPARE(f.controller().sequenceDelays[3], (QList<uint16_t>{0, 1}));

    f.pickRow(1);
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_DELAY_END + 0);
    f.pickSequence(0);
    QCOMPARE(f.model()->rowCount(), 0);
    QCOMPARE(f.page->actionPanel->panelEvent, 0xFFFF);
}

void tst_sequence_page::stepCountMakesAndRemovesSteps()
{
    sequencePageFixture f;
    f.build();
    f.setSteps(2);
    QCOMPARE(f.controller().sequenceDelays[0], (QList<uint16_t>{0, 1}));
    QCOMPARE(f.column(0), (QStringList{"   1", "   2", "finish"}));
    QCOMPARE(f.column(1), (QStringList{"0:00:00:100", "0:00:00:100", ""}));
    QCOMPARE(f.column(2), (QStringList{"0:00:00:100", "0:00:00:200", ""}));
    QVERIFY(f.listGreen(0));

    f.setSteps(0);
    QVERIFY(f.controller().sequenceDelays[0].isEmpty());
    QCOMPARE(f.model()->rowCount(), 0);
    QVERIFY(!f.listGreen(0));
    QVERIFY(f.dialogs.entries.isEmpty());
}

void tst_sequence_page::insertAndDeleteReportTheCountOnce()
{
    sequencePageFixture f;
    f.build();
    f.setSteps(3);
    f.pickRow(1);
    QSignalSpy boxChanges(f.page->stepCountBox, &QSpinBox::valueChanged);

    f.page->insertButton->click();
    QCOMPARE(f.controller().sequenceDelays[0], (QList<uint16_t>{0, 3, 1, 2}));
    QCOMPARE(f.page->stepCountBox->value(), 4);
    QCOMPARE(f.model()->rowCount(), 5);
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_DELAY_END + 0);

    f.page->deleteButton->click();
    QCOMPARE(f.controller().sequenceDelays[0], (QList<uint16_t>{0, 1, 2}));
    QCOMPARE(f.page->stepCountBox->value(), 3);
    QCOMPARE(f.model()->rowCount(), 4);
    QCOMPARE(boxChanges.count(), 0);

    // Neither acts on the finish row.
    f.pickRow(3);
    f.page->insertButton->click();
    f.page->deleteButton->click();
    QCOMPARE(f.controller().sequenceDelays[0].size(), 3);
}

void tst_sequence_page::panelShowsTheActionsOfTheChosenRow()
{
    sequencePageFixture f;
    kv310_controller_class& c = f.controller();
    sequenceChain(c, 2).setLength(2);
    addAction(c.events, EVENT_SEQUENCE_START + 2, ACTION_SCENE, 4, SUB_ON);
    addAction(c.events, EVENT_DELAY_END + 1, ACTION_MASK, 6, SUB_ON);
    f.build();
    f.pickSequence(2);

    // Row 0: the start of the sequence, its link to the first delay hidden.
    f.pickRow(0);
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_SEQUENCE_START + 2);
    QCOMPARE(f.page->actionPanel->actionTable->rowCount(), 1);
    // The finish row: the end of the last delay.
    f.pickRow(2);
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_DELAY_END + 1);
    QCOMPARE(f.page->actionPanel->actionTable->rowCount(), 1);
}

void tst_sequence_page::finishButtonSwitchesOffAndReloads()
{
    sequencePageFixture f;
    kv310_controller_class& c = f.controller();
    sequenceChain(c, 0).setLength(2);
    addAction(c.events, EVENT_SEQUENCE_START, ACTION_SCENE, 12, SUB_ON);
    f.build();
    f.pickRow(1);
    const int reloads = f.page->refreshCount;

    f.page->finishButton->click();
    QCOMPARE(f.page->refreshCount, reloads + 1);
    QCOMPARE(c.events.actionCount(EVENT_DELAY_END + 0), 2);  // the link and Scene 13 Off
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_DELAY_END + 0);
    QCOMPARE(f.page->actionPanel->actionTable->rowCount(), 1);

    f.page->finishButton->click();
    QCOMPARE(c.events.actionCount(EVENT_DELAY_END + 0), 2);
    QCOMPARE(f.page->refreshCount, reloads + 2);

    // On the first row there is no step before.
    f.pickRow(0);
    f.page->finishButton->click();
    QCOMPARE(f.page->refreshCount, reloads + 2);
}

void tst_sequence_page::globalTimesCountDays()
{
    sequencePageFixture f;
    sequenceChain(f.controller(), 0).setLength(3);
    f.setTime(0, 13 * 36000);        // 13 h
    f.setTime(1, 13 * 36000);        // 26 h in all
    f.setTime(2, 15);                // 1.5 s
    f.build();
    QCOMPARE(f.column(1), (QStringList{"13:00:00:000", "13:00:00:000", "0:00:01:500", ""}));
    QCOMPARE(f.column(2),
             (QStringList{"13:00:00:000", "1 day(s) 2:00:00:000", "1 day(s) 2:00:01:500", ""}));

    // A step without a time counts for nothing.
    f.setTime(1, delayWord::TIME_NOT_SET);
    f.page->refresh();
    QCOMPARE(f.column(1), (QStringList{"13:00:00:000", "", "0:00:01:500", ""}));
    QCOMPARE(f.column(2), (QStringList{"13:00:00:000", "undefined", "13:00:01:500", ""}));
}

void tst_sequence_page::growthStopsWhereTheDelaysRunOut()
{
    sequencePageFixture f;
    kv310_controller_class& c = f.controller();
    for (int d = 2; d < img::DELAYS; ++d) {
        addAction(c.events, EVENT_POWER_ON, ACTION_DELAY, d, SUB_ON);
        c.startedDelays.append(uint16_t(d));
    }
    f.build();
    f.setSteps(4);
    QCOMPARE(f.dialogs.titles(), QStringList{"Action failed!"});
    QCOMPARE(f.dialogs.texts(), QStringList{"To many delays defined!"});
    QCOMPARE(c.sequenceDelays[0], (QList<uint16_t>{0, 1}));
    QCOMPARE(f.page->stepCountBox->value(), 2);
    QCOMPARE(f.column(0), (QStringList{"   1", "   2", "finish"}));

    // Insert finds no delay either and changes nothing.
    f.dialogs.clear();
    f.pickRow(0);
    f.page->insertButton->click();
    QCOMPARE(f.dialogs.texts(), QStringList{"To many delays defined!"});
    QCOMPARE(c.sequenceDelays[0].size(), 2);
    QCOMPARE(f.page->stepCountBox->value(), 2);
}

void tst_sequence_page::descriptionIsStoredAndCut()
{
    sequencePageFixture f;
    f.build();
    f.pickSequence(6);
    const QString text = QStringLiteral("A description of sixty characters for the seventh sequence!!");
    QCOMPARE(text.size(), 60);
    f.page->descriptionEdit->setText(QStringLiteral("  ") + text);
    emit f.page->descriptionEdit->editingFinished();
    QCOMPARE(f.controller().eventDescriptions[EVENT_SEQUENCE_START + 6], text);
    // The list holds the whole text and cuts it at the right where it
    // draws it in its column.
    pageListView* list = f.page->sequenceList;
    QCOMPARE(list->text(6), text);
    QVERIFY(QFontMetrics(list->font()).horizontalAdvance(text) > list->columnWidth(0));
    QCOMPARE(list->textElideMode(), Qt::ElideRight);

    f.page->descriptionEdit->clear();
    emit f.page->descriptionEdit->editingFinished();
    QCOMPARE(f.controller().eventDescriptions[EVENT_SEQUENCE_START + 6], QString());
    QCOMPARE(list->text(6), QStringLiteral("no description"));
}

// A reload (after a read, or when the page is shown) changes every row at
// once: the list is told once, redraws the rows on the screen and keeps the
// sequence the user chose.
void tst_sequence_page::refreshRedrawsTheVisibleRows()
{
    sequencePageFixture f;
    f.build();
    QVERIFY(showOnScreen(f.tab));
    pageListView* list = f.page->sequenceList;
    f.pickSequence(3);
    QCOMPARE(drawnColour(list, 5), pageStyle::emptyBrush().color());

    sequenceChain(f.controller(), 5).setLength(2);
    f.controller().eventDescriptions[EVENT_SEQUENCE_START + 5] = QStringLiteral("Read from a file");
    QSignalSpy notices(list->model(), &QAbstractItemModel::dataChanged);
    f.page->refresh();
    QCOMPARE(notices.count(), 1);
    QVERIFY(spansRows(notices.first(), 0, 127));
    QCOMPARE(list->text(5), QStringLiteral("Read from a file"));
    QCOMPARE(drawnColour(list, 5), pageStyle::usedColour());
    QCOMPARE(list->currentRow(), 3);
    QVERIFY(list->selectionModel()->isRowSelected(3, QModelIndex()));
    QCOMPARE(f.page->currentSequence, 3);
}

void tst_sequence_page::delayTimeEditor()
{
    sequencePageFixture f;
    sequenceChain(f.controller(), 4).setLength(2);
    f.setTime(1, 25);
    f.build();
    f.pickSequence(4);
    aseq_conf_delegate* delegate = f.table()->delegate;
    QCOMPARE(delegate->sequenceNumber, 4);
    QStyleOptionViewItem option;

    // Only the delay times of steps have an editor.
    for (const QModelIndex& ix : {f.model()->index(0, 0), f.model()->index(0, 2), f.model()->index(2, 1)})
        QVERIFY(!delegate->createEditor(f.table()->viewport(), option, ix));

    const QModelIndex time = f.model()->index(1, 1);
    std::unique_ptr<QWidget> editor(delegate->createEditor(f.table()->viewport(), option, time));
    auto* edit = qobject_cast<MyTimeEdit*>(editor.get());
    QVERIFY(edit);
    QCOMPARE(edit->minimumTime(), QTime(0, 0, 0, 100));
    QCOMPARE(edit->maximumTime(), QTime(23, 59, 59, 999));
    delegate->setEditorData(edit, time);
    QCOMPARE(edit->time(), QTime(0, 0, 2, 500));
    editor.reset();

    // As the view runs it: the edit is stored and the totals follow.
    f.table()->edit(time);
    edit = qobject_cast<MyTimeEdit*>(f.table()->indexWidget(time));
    QVERIFY(edit);
    edit->setTime(QTime(23, 59, 59, 999));
    emit delegate->commitData(edit);
    emit delegate->closeEditor(edit);
    QCOMPARE(img::getU32(f.controller().configImage, img::delaysOf(1)), (4u << 20) | 863999u);
    QCOMPARE(f.cell(1, 1), QStringLiteral("23:59:59:900"));
    QCOMPARE(f.cell(1, 2), QStringLiteral("1 day(s) 0:00:00:000"));
}

QTEST_MAIN(tst_sequence_page)
#include "tst_sequence_page.moc"
