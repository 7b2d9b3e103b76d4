#include "program_page_fixture.h"

#include "model/events.h"
#include "widgets/inf_time_class.h"
#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QCursor>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {

QList<int> range(int from, int count)
{
    QList<int> out;
    for (int i = 0; i < count; ++i)
        out << from + i;
    return out;
}

}  // namespace

class tst_step_table : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runningTotal();
    void fadeDownByRecurrences_data();
    void fadeDownByRecurrences();
    void programsLongerThanADay();
    void eventTexts();
    void zeroTimesAreRepaired_data();
    void zeroTimesAreRepaired();
    void deleteAsksFromTheBottomUp_data();
    void deleteAsksFromTheBottomUp();
    void insert();
    void insertIntoAFullProgram_data();
    void insertIntoAFullProgram();
    void copyKeepsTheGaps();
    void paste_data();
    void paste();
    void pasteIntoAnEmptyProgram();
    void pasteFailureKeepsTableAndCountTogether();
    void fillSteps_data();
    void fillSteps();
    void keys();
    void durationEditorClosesWhenTheMouseLeaves();
    void openEditStoresBeforeStepsMove_data();
    void openEditStoresBeforeStepsMove();
};

void tst_step_table::runningTotal()
{
    programPageFixture f;
    f.makeProgram(0, {100, 200, 50, 50});
    f.programs().setFadeUp(0, 1, QTime(0, 1, 30, 500));
    f.programs().setInfinite(0, 2);
    f.build();
    QCOMPARE(f.column(0), (QStringList{"   101", "   102", "   103", "   104"}));
    QCOMPARE(f.column(1), (QStringList{"00:00:00.0", "00:01:30.5", "00:00:00.0", "00:00:00.0"}));
    QCOMPARE(f.column(2), (QStringList{"00:00:10.0", "00:00:20.0", "  infinite", "00:00:05.0"}));
    QCOMPARE(f.column(4), (QStringList{"00:00:10.0", "00:02:00.5", "undetermined", "undetermined"}));
    QCOMPARE(f.model()->index(1, 4).data(Qt::UserRole).toTime(), QTime(0, 2, 0, 500));
    QVERIFY(f.model()->index(2, 4).data(Qt::UserRole).toTime().isNull());
}

void tst_step_table::fadeDownByRecurrences_data()
{
    QTest::addColumn<int>("recurrences");
    QTest::addColumn<QStringList>("fadeDowns");
    QTest::addColumn<QString>("lastTime");

    QTest::newRow("endless") << 0 << QStringList{" - ", " - ", " - "} << "00:00:30.0";
    QTest::newRow("three runs") << 3 << QStringList{" - ", " - ", "00:00:04.0"} << "00:00:34.0";
}

void tst_step_table::fadeDownByRecurrences()
{
    QFETCH(int, recurrences);
    QFETCH(QStringList, fadeDowns);
    QFETCH(QString, lastTime);

    programPageFixture f;
    f.makeProgram(0, {100, 100, 100});
    f.programs().setRecurrences(0, recurrences);
    f.programs().setFadeDown(0, 2, QTime(0, 0, 4));
    // The packed format marks every other step 0xFFFF; that is never shown.
    f.programs().setFadeDown(0, 1, fromTenths(0xFFFF));
    f.build();
    QCOMPARE(f.column(3), fadeDowns);
    QCOMPARE(f.cell(2, 4), lastTime);

    // Once the last step is deleted, the marker of the new last one is cleared.
    f.setCurrentRow(2);
    f.table()->selectRow(2);
    f.dialogs.answer(1);
    f.table()->deleteStep();
    QCOMPARE(f.cell(1, 3), recurrences ? QString("00:00:00.0") : QString(" - "));
    QCOMPARE(toTenths(f.programs().fadeDown(0, 1)), recurrences ? 0 : 0xFFFF);
}

void tst_step_table::programsLongerThanADay()
{
    programPageFixture f;
    // 15 steps of 01:42:00 are 25 h 30 min.
    f.makeProgram(0, QList<int>(15, 61200));
    f.build();
    QCOMPARE(f.cell(13, 4), QString("23:48:00.0"));
    QCOMPARE(f.cell(14, 4), QString("1+01:30:00.0"));
    QCOMPARE(f.model()->index(14, 4).data(progTimeTenthsRole).toInt(), 918000);
}

void tst_step_table::eventTexts()
{
    programPageFixture f;
    f.makeProgram(0, {10, 10, 10, 10});
    f.programs().setStepEvent(0, 0, EVENT_INTERNAL);
    f.programs().setStepEvent(0, 1, EVENT_INTERNAL + 1023);
    f.programs().setStepEvent(0, 3, EVENT_TIMER);
    f.build();
    QCOMPARE(f.column(5), (QStringList{"1", "1024", "not set", "not set"}));
}

void tst_step_table::zeroTimesAreRepaired_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::newRow("O.K. twice") << QList<int>{0, 0};
    QTest::newRow("Fix all steps once") << QList<int>{1};
}

void tst_step_table::zeroTimesAreRepaired()
{
    QFETCH(QList<int>, answers);

    programPageFixture f;
    f.makeProgram(0, {10, 10, 10, 0, 10, 0});
    for (int a : answers)
        f.dialogs.answer(a);
    f.build();
    QCOMPARE(f.dialogs.titles(), QStringList(answers.size(), "Rule broken!"));
    QCOMPARE(f.dialogs.texts().first(), QString("Both times cannot equal 0!\nDuration will be fixed."));
    QCOMPARE(f.dialogs.entries.first().buttons, (QStringList{"O.K.", "Fix all steps"}));
    QCOMPARE(f.dialogs.pendingAnswers(), 0);
    QCOMPARE(f.programs().duration(0, 3), QTime(0, 0, 1));
    QCOMPARE(f.programs().duration(0, 5), QTime(0, 0, 1));
    QCOMPARE(f.cell(5, 2), QString("00:00:01.0"));
    QCOMPARE(f.cell(5, 4), QString("00:00:06.0"));
}

void tst_step_table::deleteAsksFromTheBottomUp_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QList<int>>("scenes");

    QTest::newRow("No, Yes!, No") << QList<int>{0, 1, 0} << QList<int>{100, 101, 102, 104, 105};
    QTest::newRow("All at once") << QList<int>{2} << QList<int>{100, 101, 105};
    QTest::newRow("closed every time") << QList<int>{-1, -1, -1} << range(100, 6);
}

void tst_step_table::deleteAsksFromTheBottomUp()
{
    QFETCH(QList<int>, answers);
    QFETCH(QList<int>, scenes);

    programPageFixture f;
    f.makeProgram(0, QList<int>(6, 10));
    f.build();
    QSignalSpy counts(f.table(), &aprogram_conf_widget::changeStepNumber);
    for (int r : {2, 3, 4})
        f.table()->selectionModel()->select(f.model()->index(r, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    for (int a : answers)
        f.dialogs.answer(a);
    f.page->deleteStepButton->click();

    QCOMPARE(f.dialogs.entries.size(), answers.size());
    QCOMPARE(f.dialogs.texts().first(), QString("About to remove a step from program.\n\tReally want to do so?"));
    QCOMPARE(f.dialogs.entries.first().buttons, (QStringList{"No", "Yes!", "All"}));
    QCOMPARE(f.scenes(0), scenes);
    QCOMPARE(f.model()->rowCount(), scenes.size());
    QCOMPARE(f.page->stepCountBox->value(), scenes.size());
    QCOMPARE(counts.size(), scenes.size() == 6 ? 0 : 1);
}

void tst_step_table::insert()
{
    programPageFixture f;
    f.build();
    // The first program shown has no steps yet: Insert makes its first one.
    f.page->insertStepButton->click();
    QCOMPARE(f.programs().stepCount(0), 1);
    QCOMPARE(f.page->stepCountBox->value(), 1);
    QCOMPARE(f.column(0), QStringList{"   1"});

    f.makeProgram(2, {10, 10, 10});
    f.show(2);
    QCOMPARE(f.table()->currentIndex().row(), -1);
    f.page->insertStepButton->click();
    QCOMPARE(f.scenes(2), (QList<int>{0, 100, 101, 102}));

    f.setCurrentRow(3);
    f.page->insertStepButton->click();
    QCOMPARE(f.scenes(2), (QList<int>{0, 100, 101, 0, 102}));
    QCOMPARE(f.column(2), QStringList(5, "00:00:01.0"));
    QCOMPARE(f.page->stepCountBox->value(), 5);
    QCOMPARE(f.page->shownSteps, 3);  // the grid follows the count only when it is applied
}

void tst_step_table::insertIntoAFullProgram_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("inserted");
    QTest::newRow("No") << 0 << false;
    QTest::newRow("closed") << -1 << false;
    QTest::newRow("Yes!") << 1 << true;
}

void tst_step_table::insertIntoAFullProgram()
{
    QFETCH(int, answer);
    QFETCH(bool, inserted);

    programPageFixture f;
    f.makeProgram(0, QList<int>(999, 10));
    f.build();
    f.setCurrentRow(5);
    f.dialogs.answer(answer);
    f.page->insertStepButton->click();
    QCOMPARE(f.dialogs.titles(), QStringList{"Confirmation"});
    QCOMPARE(f.dialogs.texts(), QStringList{"This action will remove last step from program.\n\tReally want to do so?"});
    QCOMPARE(f.programs().stepCount(0), 999);
    QCOMPARE(f.model()->rowCount(), 999);
    QCOMPARE(f.programs().scene(0, 5), inserted ? 0 : 105);
    QCOMPARE(f.programs().scene(0, 998), inserted ? 1097 : 1098);
}

void tst_step_table::copyKeepsTheGaps()
{
    programPageFixture f;
    f.makeProgram(0, QList<int>(10, 10));
    f.programs().setStepEvent(0, 2, EVENT_INTERNAL + 4);
    f.build();
    f.page->copyStepButton->click();
    QVERIFY(f.table()->stepClipboard.empty());

    for (int r : {2, 3, 6})
        f.table()->selectionModel()->select(f.model()->index(r, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    f.page->copyStepButton->click();
    QList<int> gaps;
    QList<int> scenes;
    for (const stepClipEntry& e : f.table()->stepClipboard) {
        gaps << e.row;
        scenes << e.step.scene;
        QCOMPARE(e.step.event, int16_t(-1));
    }
    QCOMPARE(gaps, (QList<int>{0, 0, 2}));
    QCOMPARE(scenes, (QList<int>{102, 103, 106}));
}

void tst_step_table::paste_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("scenes");

    QList<int> over = range(100, 20);
    over[10] = 2;
    over[11] = 3;
    over[14] = 6;
    QTest::newRow("Replace at row 10") << true << 10 << over;
    QList<int> end = range(100, 20);
    end[19] = 2;
    end << 3 << 6;
    QTest::newRow("Replace at row 19") << true << 19 << end;
    QTest::newRow("insert at row 10") << false << 10 << range(100, 10) + QList<int>{2, 3, 6} + range(110, 10);
}

void tst_step_table::paste()
{
    QFETCH(bool, replace);
    QFETCH(int, row);
    QFETCH(QList<int>, scenes);

    programPageFixture f;
    f.makeProgram(0, QList<int>(20, 10));
    // The steps to copy, in program 1.
    f.makeProgram(1, QList<int>(7, 10));
    for (int i = 0; i < 7; ++i) {
        f.programs().setScene(1, i, i);
        f.programs().setFadeDown(1, i, QTime(0, 0, 3));
    }
    for (int r = 0; r < 20; ++r)
        f.programs().setStepEvent(0, r, EVENT_INTERNAL + r);
    f.build();
    f.show(1);
    for (int r : {2, 3, 6})
        f.table()->selectionModel()->select(f.model()->index(r, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    f.table()->copyStep();

    f.show(0);
    f.page->replaceBox->setChecked(replace);
    f.setCurrentRow(row);
    QSignalSpy counts(f.table(), &aprogram_conf_widget::changeStepNumber);
    f.page->pasteStepButton->click();

    QCOMPARE(f.scenes(0), scenes);
    QCOMPARE(f.model()->rowCount(), scenes.size());
    QCOMPARE(f.page->stepCountBox->value(), scenes.size());
    QCOMPARE(counts.last().at(0).toInt(), scenes.size());
    for (int i = 0; i < scenes.size(); ++i) {
        const int scene = scenes.at(i);
        if (scene >= 100) {
            // An untouched step, moved or not.
            QCOMPARE(f.programs().stepEvent(0, i), EVENT_INTERNAL + scene - 100);
            continue;
        }
        QCOMPARE(f.programs().fadeDown(0, i), QTime(0, 0));
        // An overwritten step keeps its event, an inserted one has none.
        const bool overwritten = replace && i < 20;
        QCOMPARE(f.programs().stepEvent(0, i), overwritten ? EVENT_INTERNAL + i : 0xFFFF);
    }
    for (const stepClipEntry& e : f.table()->stepClipboard)
        QCOMPARE(e.step.fadeDown, QTime(0, 0));
}

void tst_step_table::pasteIntoAnEmptyProgram()
{
    programPageFixture f;
    f.makeProgram(1, {10, 20});
    f.build();
    f.show(1);
    f.table()->selectAll();
    f.table()->copyStep();
    f.show(6);
    QCOMPARE(f.model()->rowCount(), 0);
    f.table()->pasteStep();
    QCOMPARE(f.scenes(6), (QList<int>{100, 101}));
    QCOMPARE(f.column(2), (QStringList{"00:00:01.0", "00:00:02.0"}));
    QCOMPARE(f.page->stepCountBox->value(), 2);
}

void tst_step_table::pasteFailureKeepsTableAndCountTogether()
{
    programPageFixture f;
    f.makeProgram(0, QList<int>(999, 10));
    f.makeProgram(1, {10, 10});
    f.programs().setScene(1, 0, 7);
    f.programs().setScene(1, 1, 8);
    f.build();
    f.show(1);
    f.table()->selectAll();
    f.table()->copyStep();

    f.show(0);
    f.page->replaceBox->setChecked(true);
    f.setCurrentRow(998);
    f.table()->pasteStep();
    // The second step would be step 1000: it is dropped and cannot be written.
    QCOMPARE(f.dialogs.titles(), QStringList{"Paste failed!"});
    QCOMPARE(f.dialogs.texts(), QStringList{"Algorithm error?"});
    QCOMPARE(f.programs().stepCount(0), 999);
    QCOMPARE(f.programs().scene(0, 998), 7);
    QCOMPARE(f.model()->rowCount(), 999);
    QCOMPARE(f.page->stepCountBox->value(), 999);
    QCOMPARE(f.cell(998, 0), QString("   8"));
}

void tst_step_table::fillSteps_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("scenes");

    QTest::newRow("from 100") << 100 << QList<int>{0, 1, 2, 3, 100, 101, 102, 103, 104, 105};
    QTest::newRow("from 8188") << 8188 << QList<int>{0, 1, 2, 3, 8188, 8189, 8190, 7, 8, 9};
}

void tst_step_table::fillSteps()
{
    QFETCH(int, first);
    QFETCH(QList<int>, scenes);

    programPageFixture f;
    f.makeProgram(0, QList<int>(10, 10));
    for (int i = 0; i < 10; ++i)
        f.programs().setScene(0, i, i);
    f.programs().setScene(0, 4, first);
    f.build();
    f.page->fillButton->click();  // no current row: nothing
    QCOMPARE(f.scenes(0), range(0, 4) + QList<int>{first} + range(5, 5));
    f.setCurrentRow(4);
    f.page->fillButton->click();
    QCOMPARE(f.scenes(0), scenes);
    QCOMPARE(f.cell(6, 0), "   " + QString::number(scenes.at(6) + 1));
    QVERIFY(f.dialogs.entries.isEmpty());
}

void tst_step_table::keys()
{
    programPageFixture f;
    f.makeProgram(0, {10, 10, 10});
    f.build();
    f.setCurrentRow(1);
    f.table()->selectRow(1);

    QTest::keyClick(f.table(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(f.table()->stepClipboard.empty());
    QTest::keyClick(f.table(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(f.table()->stepClipboard.size(), size_t(1));

    f.page->replaceBox->setChecked(false);
    QTest::keyClick(f.table(), Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(f.programs().stepCount(0), 3);
    QTest::keyClick(f.table(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.scenes(0), (QList<int>{100, 101, 101, 102}));

    QTest::keyClick(f.table(), Qt::Key_Insert);
    QCOMPARE(f.programs().stepCount(0), 5);
    f.table()->clearSelection();
    f.table()->selectRow(0);
    f.dialogs.answer(1);
    QTest::keyClick(f.table(), Qt::Key_Delete);
    QCOMPARE(f.programs().stepCount(0), 4);
    QCOMPARE(f.dialogs.titles(), QStringList{"Confirmation"});
}

void tst_step_table::durationEditorClosesWhenTheMouseLeaves()
{
    programPageFixture f;
    f.makeProgram(0, {10, 10});
    f.build();
    f.tab.resize(900, 700);
    f.tab.show();
    const QModelIndex cell = f.model()->index(0, 2);
    f.table()->setCurrentIndex(cell);
    f.table()->edit(cell);
    auto* editor = qobject_cast<infTime_class*>(f.table()->indexWidget(cell));
    QVERIFY(editor);
    editor->timeEdit->setTime(QTime(0, 0, 4));

    QCursor::setPos(editor->mapToGlobal(editor->rect().center()));
    f.table()->stopEditing(editor);
    QCOMPARE(f.table()->indexWidget(cell), editor);
    QCOMPARE(f.programs().duration(0, 0), QTime(0, 0, 1));

    QCursor::setPos(editor->mapToGlobal(QPoint(editor->width() + 5, editor->height() / 2)));
    emit editor->leaved(editor);
    QCOMPARE(f.programs().duration(0, 0), QTime(0, 0, 4));
    QVERIFY(!f.table()->indexWidget(cell));
    QCOMPARE(f.cell(1, 4), QString("00:00:05.0"));
    // A second leave of the closed editor does nothing.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    emit editor->leaved(editor);
}

void tst_step_table::openEditStoresBeforeStepsMove_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("durations");  // tenths, after

    QTest::newRow("Insert") << "Insert" << QList<int>{10, 10, 50, 30};
    QTest::newRow("Delete") << "Delete" << QList<int>{10, 30};
    QTest::newRow("Paste") << "Paste" << QList<int>{10, 10, 50, 30};
}

void tst_step_table::openEditStoresBeforeStepsMove()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, durations);

    // The duration of the second of three steps is being edited: the editor
    // stays open when the user clicks a button of the page.
    programPageFixture f;
    f.makeProgram(0, {10, 20, 30});
    f.build();
    f.setCurrentRow(0);
    f.table()->selectRow(0);
    f.page->copyStepButton->click();
    f.table()->selectRow(1);
    const QModelIndex cell = f.model()->index(1, 2);
    f.table()->setCurrentIndex(cell);
    f.table()->edit(cell);
    const QPointer<QWidget> editor = f.table()->indexWidget(cell);
    auto* duration = qobject_cast<infTime_class*>(editor.data());
    QVERIFY(duration);
    duration->timeEdit->setTime(QTime(0, 0, 5));

    if (button == QStringLiteral("Delete"))
        f.dialogs.answer(1);  // "Yes!" to the removal
    const QList<QPushButton*> buttons{f.page->insertStepButton, f.page->deleteStepButton, f.page->pasteStepButton};
    for (QPushButton* b : buttons)
        if (b->text() == button)
            b->click();
    // Whatever is still open the user leaves later.
    if (editor) {
        emit f.table()->delegate->commitData(editor);
        emit f.table()->delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

    QList<int> after;
    for (int s = 0; s < f.programs().stepCount(0); ++s)
        after << toTenths(f.programs().duration(0, s));
    QCOMPARE(after, durations);
}

QTEST_MAIN(tst_step_table)
#include "tst_step_table.moc"
