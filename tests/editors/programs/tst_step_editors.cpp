#include "program_page_fixture.h"

#include "editors/programs/aprogram_entry_delegate.h"
#include "model/events.h"
#include "widgets/inf_time_class.h"
#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

namespace {

// One cell editor of the step table, made, loaded and stored as the view does.
struct cellEditor {
    cellEditor(programPageFixture& f, int row, int column)
        : f(f)
        , index(f.model()->index(row, column))
    {
        editor.reset(f.table()->delegate->createEditor(f.table()->viewport(), QStyleOptionViewItem(), index));
        if (editor)
            f.table()->delegate->setEditorData(editor.get(), index);
    }
    template <typename T>
    T* as() const
    {
        return qobject_cast<T*>(editor.get());
    }
    void store() { f.table()->delegate->setModelData(editor.get(), f.model(), index); }

    programPageFixture& f;
    QModelIndex index;
    std::unique_ptr<QWidget> editor;
};

QList<int> durations(programPageFixture& f, int p)
{
    QList<int> out;
    for (int i = 0; i < f.programs().stepCount(p); ++i)
        out << toTenths(f.programs().duration(p, i));
    return out;
}

}  // namespace

class tst_step_editors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sceneEditorReportsTheScene();
    void timeEditorRanges();
    void programTime_data();
    void programTime();
    void programTimeBeforeAnInfiniteStep();
    void noProgramTimeEditor_data();
    void noProgramTimeEditor();
    void durationEditor();
    void fadeDownEditor_data();
    void fadeDownEditor();
    void eventEditor_data();
    void eventEditor();
    void entryEditors();
};

void tst_step_editors::sceneEditorReportsTheScene()
{
    programPageFixture f;
    f.makeProgram(0, {10, 10});
    f.programs().setScene(0, 1, 4);
    f.controller().sceneDescriptions[6] = "Seven";
    f.build();
    QSignalSpy shown(f.table()->delegate, &aprogram_conf_delegate::changeDesc);
    cellEditor e(f, 1, 0);
    auto* box = e.as<QSpinBox>();
    QVERIFY(box);
    QCOMPARE(box->value(), 5);
    QCOMPARE(box->maximum(), 10240);
    QCOMPARE(box->text(), QString("   5"));
    shown.clear();

    box->setValue(6);
    box->setValue(7);
    e.store();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.at(0).at(0).toInt(), 6);
    QCOMPARE(shown.at(1).at(0).toInt(), 7);
    QCOMPARE(shown.at(2).at(0).toInt(), 7);
    QCOMPARE(f.programs().scene(0, 1), 6);
    QCOMPARE(f.cell(1, 0), QString("   7"));
    QCOMPARE(f.page->sceneDescriptionEdit->text(), QString("Seven"));
}

void tst_step_editors::timeEditorRanges()
{
    programPageFixture f;
    f.makeProgram(0, {10});
    f.build();
    cellEditor fadeUp(f, 0, 1);
    QCOMPARE(fadeUp.as<MyTimeEdit>()->maximumTime(), QTime(1, 49, 13, 500));
    // Durations stop where the step field ends; 0xFFFF there means infinite.
    cellEditor duration(f, 0, 2);
    QCOMPARE(duration.as<infTime_class>()->timeEdit->maximumTime(), QTime(1, 49, 13, 400));
    // A time editor wider than its cell reaches over the next one, within the view.
    f.table()->viewport()->resize(400, 300);
    QStyleOptionViewItem option;
    for (const QRect& cell : {QRect(0, 0, 60, 20), QRect(360, 0, 40, 20)}) {
        option.rect = cell;
        f.table()->delegate->updateEditorGeometry(fadeUp.editor.get(), option, fadeUp.index);
        QCOMPARE(fadeUp.editor->width(), fadeUp.editor->sizeHint().width());
        QVERIFY(fadeUp.editor->geometry().right() < 400);
    }
    duration.as<infTime_class>()->timeEdit->setTime(QTime(2, 0));
    duration.store();
    QCOMPARE(f.programs().duration(0, 0), QTime(1, 49, 13, 400));
}

void tst_step_editors::programTime_data()
{
    QTest::addColumn<QList<int>>("steps");       // durations in tenths
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("day");                // of the step's program time
    QTest::addColumn<QString>("lowest");         // time of that day
    QTest::addColumn<QString>("highest");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QList<int>>("after");       // durations in tenths
    QTest::addColumn<QStringList>("times");      // "Prog. Time" afterwards: every row, or the edited one

    const QList<int> abc{100, 100, 100};
    QTest::newRow("A to 15 s") << abc << 0 << 0 << "00:00:00.000" << "00:00:20.000" << "00:00:15.000"
                               << QList<int>{150, 50, 100}
                               << QStringList{"00:00:15.0", "00:00:20.0", "00:00:30.0"};
    QTest::newRow("B to 25 s") << abc << 1 << 0 << "00:00:10.000" << "00:00:30.000" << "00:00:25.000"
                               << QList<int>{100, 150, 50}
                               << QStringList{"00:00:10.0", "00:00:25.0", "00:00:30.0"};
    QTest::newRow("C to 40 s") << abc << 2 << 0 << "00:00:20.000" << "01:49:33.400" << "00:00:40.000"
                               << QList<int>{100, 100, 200}
                               << QStringList{"00:00:10.0", "00:00:20.0", "00:00:40.0"};
    // Neither of two long neighbours may pass the longest duration.
    QTest::newRow("two hours long") << QList<int>{36000, 36000, 100} << 0 << 0 << "00:10:46.600" << "01:49:13.400"
                                    << "01:49:13.400" << QList<int>{65534, 6466, 100}
                                    << QStringList{"01:49:13.4", "02:00:00.0", "02:00:10.0"};
    // Past a day the time is edited within its day and shown with the day.
    QTest::newRow("26 hours") << QList<int>(15, 62400) << 14 << 1 << "00:16:00.000" << "02:05:13.400"
                              << "02:00:30.000" << QList<int>(14, 62400) + QList<int>{62700}
                              << QStringList{"1+02:00:30.0"};
    QTest::newRow("just past midnight") << QList<int>(14, 61200) + QList<int>{7250} << 14 << 1 << "00:00:00.000"
                                        << "01:37:13.400" << "00:00:00.000"
                                        << QList<int>(14, 61200) + QList<int>{7200}
                                        << QStringList{"1+00:00:00.0"};
}

void tst_step_editors::programTime()
{
    QFETCH(QList<int>, steps);
    QFETCH(int, row);
    QFETCH(int, day);
    QFETCH(QString, lowest);
    QFETCH(QString, highest);
    QFETCH(QString, edited);
    QFETCH(QList<int>, after);
    QFETCH(QStringList, times);

    const QString format = QStringLiteral("hh:mm:ss.zzz");
    programPageFixture f;
    f.makeProgram(0, steps);
    f.build();
    cellEditor e(f, row, 4);
    auto* edit = e.as<MyTimeEdit>();
    QVERIFY(edit);
    QCOMPARE(edit->minimumTime().toString(format), lowest);
    QCOMPARE(edit->maximumTime().toString(format), highest);
    edit->setTime(QTime::fromString(edited, format));
    QCOMPARE(edit->text(), (day ? QString("%1+").arg(day) : QString()) + edited);
    e.store();
    QCOMPARE(durations(f, 0), after);
    if (times.size() == f.model()->rowCount())
        QCOMPARE(f.column(4), times);
    else
        QCOMPARE(f.cell(row, 4), times.first());
}

void tst_step_editors::programTimeBeforeAnInfiniteStep()
{
    programPageFixture f;
    f.makeProgram(0, {100, 100, 100});
    f.programs().setInfinite(0, 1);
    f.build();
    cellEditor e(f, 0, 4);
    auto* edit = e.as<MyTimeEdit>();
    QCOMPARE(edit->maximumTime(), QTime(0, 0, 20));
    edit->setTime(QTime(0, 0, 15));
    e.store();
    QCOMPARE(durations(f, 0), (QList<int>{150, 100, 100}));
    QVERIFY(f.programs().isInfinite(0, 1));
}

void tst_step_editors::noProgramTimeEditor_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("undetermined") << 2 << 4;
    QTest::newRow("no room either way") << 0 << 4;
    QTest::newRow("beyond the last column") << 0 << 6;
}

void tst_step_editors::noProgramTimeEditor()
{
    QFETCH(int, row);
    QFETCH(int, column);

    programPageFixture f;
    f.makeProgram(0, {0, 0, 100});
    f.programs().setFadeUp(0, 0, QTime(0, 0, 1));
    f.programs().setFadeUp(0, 1, QTime(0, 0, 1));
    f.programs().setInfinite(0, 1);
    f.build();
    f.table()->stepModel->insertColumn(6);
    QVERIFY(!cellEditor(f, row, column).editor);
}

void tst_step_editors::durationEditor()
{
    programPageFixture f;
    f.makeProgram(0, {100, 100, 100});
    f.programs().setInfinite(0, 2);
    f.build();
    cellEditor infinite(f, 2, 2);
    QVERIFY(infinite.as<infTime_class>()->infiniteBox->isChecked());

    cellEditor e(f, 0, 2);
    auto* edit = e.as<infTime_class>();
    QCOMPARE(edit->timeEdit->time(), QTime(0, 0, 10));
    // Ticking the box redraws the table at once.
    f.programs().setScene(0, 1, 41);
    edit->infiniteBox->setChecked(true);
    QCOMPARE(f.cell(1, 0), QString("   42"));
    e.store();
    QVERIFY(f.programs().isInfinite(0, 0));
    QCOMPARE(f.programs().duration(0, 0), QTime(0, 0, 10));
    QCOMPARE(f.column(2).first(), QString("  infinite"));
    QCOMPARE(f.column(4), QStringList(3, "undetermined"));

    // Cleared again, the time in the edit is stored and the step is finite.
    cellEditor again(f, 0, 2);
    again.as<infTime_class>()->infiniteBox->setChecked(false);
    again.as<infTime_class>()->timeEdit->setTime(QTime(0, 0, 3));
    again.store();
    QVERIFY(!f.programs().isInfinite(0, 0));
    QCOMPARE(f.column(4).mid(0, 2), (QStringList{"00:00:03.0", "00:00:13.0"}));
}

void tst_step_editors::fadeDownEditor_data()
{
    QTest::addColumn<int>("recurrences");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("editable");
    QTest::newRow("endless, last row") << 0 << 1 << false;
    QTest::newRow("two runs, last row") << 2 << 1 << true;
    QTest::newRow("two runs, first row") << 2 << 0 << false;
}

void tst_step_editors::fadeDownEditor()
{
    QFETCH(int, recurrences);
    QFETCH(int, row);
    QFETCH(bool, editable);

    programPageFixture f;
    f.makeProgram(0, {100, 100});
    f.programs().setRecurrences(0, recurrences);
    f.programs().setFadeDown(0, row, QTime(0, 0, 1));
    f.build();
    cellEditor e(f, row, 3);
    if (!editable) {
        QCOMPARE(e.as<QLabel>()->text(), QString(" - "));
        e.store();
        QCOMPARE(f.programs().fadeDown(0, row), QTime(0, 0, 1));
        return;
    }
    auto* edit = e.as<MyTimeEdit>();
    QCOMPARE(edit->time(), QTime(0, 0, 1));
    QCOMPARE(edit->maximumTime(), QTime(1, 49, 13, 300));
    edit->setTime(QTime(0, 0, 2, 500));
    e.store();
    QCOMPARE(f.programs().fadeDown(0, row), QTime(0, 0, 2, 500));
    QCOMPARE(f.cell(row, 4), QString("00:00:22.5"));
}

void tst_step_editors::eventEditor_data()
{
    QTest::addColumn<int>("event");    // stored before
    QTest::addColumn<int>("shown");    // in the editor
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("text");

    QTest::newRow("none to 1") << 0xFFFF << 0 << 1 << 0x400 << "1";
    QTest::newRow("1 to 1024") << 0x400 << 1 << 1024 << 0x7FF << "1024";
    QTest::newRow("1024 to none") << 0x7FF << 1024 << 0 << 0xFFFF << "not set";
    // The cell shows "not set" for a timer; the editor opens on the same.
    QTest::newRow("timer kept as not set") << 0x800 << 0 << 0 << 0xFFFF << "not set";
}

void tst_step_editors::eventEditor()
{
    QFETCH(int, event);
    QFETCH(int, shown);
    QFETCH(int, chosen);
    QFETCH(int, stored);
    QFETCH(QString, text);

    programPageFixture f;
    f.makeProgram(0, {10});
    f.programs().setStepEvent(0, 0, event);
    f.build();
    cellEditor e(f, 0, 5);
    auto* box = e.as<QSpinBox>();
    QCOMPARE(box->value(), shown);
    QSignalSpy dialled(f.table()->delegate, &aprogram_conf_delegate::changeEvent);
    box->setValue(chosen);
    QCOMPARE(dialled.size(), chosen == shown ? 0 : 1);
    e.store();
    QCOMPARE(f.programs().stepEvent(0, 0), stored);
    QCOMPARE(f.cell(0, 5), text);
}

void tst_step_editors::entryEditors()
{
    programPageFixture f;
    for (int i = 0; i < 5; ++i) {
        auto entry = std::make_unique<extraEntry>();
        entry->program = 3;
        entry->fromStep = 1;
        entry->slot = uint16_t(511 - i);
        f.controller().extraEntries.push_back(std::move(entry));
    }
    f.makeProgram(3, QList<int>(12, 10));
    f.build();
    QStandardItemModel entries(5, 3);
    QTableView view(&f.tab);
    view.setModel(&entries);
    aprogram_entry_delegate delegate(f.page.get());
    QSignalSpy dialled(&delegate, &aprogram_entry_delegate::changeDesc);
    const auto open = [&](int row, int column) {
        const QModelIndex index = entries.index(row, column);
        std::unique_ptr<QWidget> editor(delegate.createEditor(view.viewport(), QStyleOptionViewItem(), index));
        if (editor)
            delegate.setEditorData(editor.get(), index);
        return editor;
    };

    auto program = open(0, 0);
    auto* box = qobject_cast<QSpinBox*>(program.get());
    QCOMPARE(box->minimum(), 1);
    QCOMPARE(box->maximum(), 507);
    QCOMPARE(box->value(), 4);
    QCOMPARE(box->text(), QString("Program 4"));
    box->setValue(6);
    QCOMPARE(dialled.last().at(0).toInt(), 6);
    const int refreshes = f.page->refreshCount;
    delegate.setModelData(box, &entries, entries.index(0, 0));
    QCOMPARE(f.controller().extraEntries[0]->program, uint16_t(5));
    QCOMPARE(entries.index(0, 0).data().toString(), QString("Program 6"));
    QCOMPARE(f.page->refreshCount, refreshes + 1);

    // Program 6 has no steps: only step 2 can be dialled.
    auto shortStep = open(0, 1);
    QCOMPARE(qobject_cast<QSpinBox*>(shortStep.get())->maximum(), 2);

    auto step = open(1, 1);
    box = qobject_cast<QSpinBox*>(step.get());
    QCOMPARE(box->minimum(), 2);
    QCOMPARE(box->maximum(), 12);
    QCOMPARE(box->value(), 2);
    box->setValue(3);
    delegate.setModelData(box, &entries, entries.index(1, 1));
    QCOMPARE(f.controller().extraEntries[1]->fromStep, uint16_t(2));
    QCOMPARE(entries.index(1, 1).data().toString(), QString("Step 3"));

    QVERIFY(!open(1, 2));
    QVERIFY(!open(7, 0));
}

QTEST_MAIN(tst_step_editors)
#include "tst_step_editors.moc"
