#include "program_page_fixture.h"

#include "editors/programs/aprogram_entry_delegate.h"
#include "model/config_image.h"
#include "model/other_configuration.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

// The tools of the program page: marking steps and setting the marked ones
// ("Groupped Steps"), copying programs ("Copying") and the extra entries.
class tst_program_tools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void marking_data();
    void marking();
    void rangeBoundsFollowEachOther();
    void settingMarkedSteps();
    void copyWithinTheShow();
    void refusedCopyChangesNothing();
    void anotherConfiguration();
    void openingLeavesTheShowAlone();
    void browsingAndClearing();
    void theOtherConfigurationGoesWithThePage();
    void entriesPage();
    void entryCells_data();
    void entryCells();
    void addingEntries();
    void removingEntries();
    void entryLimit();

private:
    std::unique_ptr<programPageFixture> f;
    QTemporaryDir dir;
};

namespace {

const QString readOk = QStringLiteral("Data read from file\n    successful!");
const QString readFailed = QStringLiteral("Data read from file\n       failed!\n\nFile corrupted.");

// The ticked steps, 1-based, as the grid's view reads them.
QList<int> markedSteps(const programPageFixture& f)
{
    QList<int> out;
    for (int s = 0; s < stepGridView::CELLS; ++s)
        if (f.ticked(s))
            out << s + 1;
    return out;
}

QStringList entryRow(const QStandardItemModel& model, int row)
{
    QStringList out;
    for (int c = 0; c < 3; ++c)
        out << model.index(row, c).data().toString();
    return out;
}

void addEntry(kv310_controller_class& c, int program, int fromStep)
{
    auto e = std::make_unique<extraEntry>();
    e->program = uint16_t(program);
    e->fromStep = uint16_t(fromStep);
    e->slot = uint16_t(511 - int(c.extraEntries.size()));
    c.extraEntries.push_back(std::move(e));
}

} // namespace

void tst_program_tools::init()
{
    f = std::make_unique<programPageFixture>();
}

void tst_program_tools::cleanup()
{
    f.reset();
}

void tst_program_tools::marking_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<QList<int>>("before");   // marked steps, 1-based
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("from");            // 0: no range
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("every");           // 0: every step
    QTest::addColumn<QList<int>>("after");

    QTest::newRow("invert 3..7 every 2") << 10 << QList<int>{} << "invert" << 3 << 7 << 2 << QList<int>{3, 5, 7};
    QTest::newRow("invert toggles") << 10 << QList<int>{3, 4} << "invert" << 3 << 7 << 2 << QList<int>{4, 5, 7};
    QTest::newRow("range 7..7") << 10 << QList<int>{} << "select" << 7 << 7 << 0 << QList<int>{7};
    QTest::newRow("select all") << 5 << QList<int>{2} << "select" << 0 << 0 << 0 << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("every third") << 10 << QList<int>{} << "select" << 0 << 0 << 3 << QList<int>{1, 4, 7, 10};
    QTest::newRow("deselect 2..4") << 6 << QList<int>{1, 2, 3, 4, 5, 6} << "deselect" << 2 << 4 << 0
                                   << QList<int>{1, 5, 6};
    QTest::newRow("no steps") << 0 << QList<int>{} << "select" << 0 << 0 << 0 << QList<int>{};
}

void tst_program_tools::marking()
{
    QFETCH(int, steps);
    QFETCH(QList<int>, before);
    QFETCH(QString, mode);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, every);
    QFETCH(QList<int>, after);

    f->makeProgram(0, QList<int>(steps, 10));
    f->build();
    aprogram_settings_widget& page = *f->page;
    cellSelectionGroup& tool = *page.selectionGroup;
    page.toolTabs->setCurrentIndex(1);
    QCOMPARE(page.groupProgramLabel->text(), QStringLiteral("Program: 1"));
    for (int s : before)
        f->tick(s - 1);
    (mode == "select" ? tool.selectButton : mode == "invert" ? tool.invertButton : tool.deselectButton)->setChecked(true);
    tool.inRangeBox->setChecked(from > 0);
    QCOMPARE(tool.fromBox->isEnabled(), from > 0);
    if (from > 0) {
        tool.fromBox->setValue(from);
        tool.toBox->setValue(to);
    }
    tool.everyBox->setChecked(every > 0);
    QCOMPARE(tool.stepBox->isEnabled(), every > 0);
    if (every > 0)
        tool.stepBox->setValue(every);

    // The tool ticks the grid's model, which tells its view once.
    QSignalSpy redraws(f->grid(), &QAbstractItemModel::dataChanged);
    tool.executeButton->click();
    QCOMPARE(markedSteps(*f), after);
    QCOMPARE(redraws.count(), after == before ? 0 : 1);
}

void tst_program_tools::rangeBoundsFollowEachOther()
{
    f->makeProgram(3, QList<int>(12, 10));
    f->build();
    aprogram_settings_widget& page = *f->page;
    cellSelectionGroup& tool = *page.selectionGroup;
    f->show(3);
    page.toolTabs->setCurrentIndex(1);
    QCOMPARE(page.groupProgramLabel->text(), QStringLiteral("Program: 4"));
    QCOMPARE(tool.toBox->maximum(), 12);
    tool.inRangeBox->setChecked(true);

    tool.toBox->setValue(5);
    tool.fromBox->setValue(8);
    QTest::keyClick(tool.fromBox, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(tool.toBox->value(), 8);

    tool.fromBox->setValue(6);
    tool.toBox->setValue(3);
    QTest::keyClick(tool.toBox, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(tool.fromBox->value(), 3);
}

void tst_program_tools::settingMarkedSteps()
{
    f->makeProgram(0, {10, 11, 12, 13, 14, 15, 16, 17});
    f->programs().setInfinite(0, 1);
    f->programs().setStepCount(0, 6);   // steps 7 and 8 kept beyond the count
    f->build();
    aprogram_settings_widget& page = *f->page;
    page.toolTabs->setCurrentIndex(1);
    for (int s : {1, 3, 5})
        f->tick(s);
    const auto untouched = [this](QList<int> steps) {
        for (int s : steps) {
            const programStep* step = f->programs().findProgram(0)->steps.at(size_t(s)).get();
            QCOMPARE(int(step->scene), 100 + s);
            QCOMPARE(step->fadeUp, QTime(0, 0));
            QCOMPARE(toTenths(step->duration), 10 + s);
        }
    };

    page.sceneBox->setValue(1);
    page.setSceneButton->click();
    QCOMPARE(f->scenes(0), (QList<int>{100, 0, 102, 0, 104, 0}));
    QCOMPARE(f->cell(1, 0).trimmed(), QStringLiteral("1"));

    page.fadeUpEdit->setTime(QTime(0, 0, 2, 500));
    page.setFadeUpButton->click();
    for (int s : {1, 3, 5})
        QCOMPARE(f->programs().fadeUp(0, s), QTime(0, 0, 2, 500));

    // "Infinite": the duration stays as it was.
    page.infiniteBox->setChecked(true);
    page.setDurationButton->click();
    for (int s : {1, 3, 5}) {
        QVERIFY(f->programs().isInfinite(0, s));
        QCOMPARE(toTenths(f->programs().duration(0, s)), 10 + s);
    }
    page.infiniteBox->setChecked(false);
    page.durationEdit->setTime(QTime(0, 0, 4));
    page.setDurationButton->click();
    for (int s : {1, 3, 5}) {
        QVERIFY(!f->programs().isInfinite(0, s));
        QCOMPARE(f->programs().duration(0, s), QTime(0, 0, 4));
    }
    untouched({0, 2, 4, 6, 7});
    QVERIFY(f->dialogs.entries.isEmpty());
}

void tst_program_tools::copyWithinTheShow()
{
    kv310_controller_class& c = f->controller();
    f->makeProgram(2, {10, 10, 10});
    f->programs().setScene(2, 0, 0);
    f->programs().setScene(2, 1, 1);
    f->programs().setScene(2, 2, 0);
    c.programDescriptions[2] = QStringLiteral("third");
    c.sceneDescriptions[1] = QStringLiteral("second scene");
    f->build();
    aprogram_settings_widget& page = *f->page;
    QSignalSpy relabel(f->page.get(), &aprogram_settings_widget::relabelScenes);
    page.toolTabs->setCurrentIndex(2);
    f->show(9);
    QCOMPARE(page.copyProgramLabel->text(), QStringLiteral("Program: 10"));

    page.copyFromBox->setValue(3);
    QCOMPARE(page.descriptionEdit->text(), QStringLiteral("third"));
    QVERIFY(page.descriptionEdit->isReadOnly());
    QCOMPARE(page.copyToBox->minimum(), 3);
    QCOMPARE(page.copyToBox->value(), 3);
    page.poolBox->setValue(100);
    page.copyButton->click();
    QCOMPARE(f->scenes(9), (QList<int>{99, 100, 99}));
    QCOMPARE(c.sceneDescriptions[100], QStringLiteral("second scene"));
    QCOMPARE(relabel.count(), 1);
    QCOMPARE(page.programList->text(9), QStringLiteral("third"));
    QCOMPARE(img::getU16(c.configImage, img::programStepCountOf(9)), uint16_t(3));

    // Again, onto the copy: the question comes from the step table.
    page.noScenesBox->setChecked(true);
    f->dialogs.answer(0);
    page.copyButton->click();
    QCOMPARE(f->dialogs.texts().last(), QStringLiteral("Destination program 10 does exist!"));
    QCOMPARE(f->dialogs.entries.last().parent, page.stepTable);
    QCOMPARE(f->scenes(9), (QList<int>{0, 1, 0}));
    QCOMPARE(relabel.count(), 2);
}

void tst_program_tools::refusedCopyChangesNothing()
{
    kv310_controller_class& c = f->controller();
    f->makeProgram(0, {10});
    f->build();
    aprogram_settings_widget& page = *f->page;
    QSignalSpy relabel(f->page.get(), &aprogram_settings_widget::relabelScenes);
    page.toolTabs->setCurrentIndex(2);
    const int refreshes = page.refreshCount;

    page.copyButton->click();   // program 1 onto program 1
    QCOMPARE(f->dialogs.titles(), QStringList{QStringLiteral("Useless action!")});

    // With two extra entries the last ordinary program is 510.
    addEntry(c, 0xFFFF, 0xFFFF);
    addEntry(c, 0xFFFF, 0xFFFF);
    page.refresh();
    f->show(509);
    page.copyButton->click();
    QCOMPARE(f->dialogs.texts().last(), QStringLiteral("Program number limit exceeded!"));
    f->show(508);
    page.copyButton->click();
    QCOMPARE(f->dialogs.entries.size(), 2);
    QCOMPARE(f->programs().stepCount(508), 1);
    QCOMPARE(relabel.count(), 1);
    QVERIFY(page.refreshCount > refreshes);
}

void tst_program_tools::anotherConfiguration()
{
    const QString path = dir.filePath(QStringLiteral("other.31xcfg"));
    {
        kv310_controller_class other;
        other.programs.setStepCount(4, 2);
        other.programs.setScene(4, 0, 7);
        other.programs.setScene(4, 1, 8);
        other.programs.setRecurrences(4, 0);
        other.programDescriptions[4] = QStringLiteral("fifth of the other");
        other.sceneDescriptions[8] = QStringLiteral("other scene 9");
        other.write_confDataToFile(path, false);
    }
    kv310_controller_class& c = f->controller();
    f->build();
    f->dialogs.clear();
    aprogram_settings_widget& page = *f->page;
    QSignalSpy relabel(f->page.get(), &aprogram_settings_widget::relabelScenes);
    page.toolTabs->setCurrentIndex(2);
    QVERIFY(!page.altCopyButton->isEnabled());
    page.copyAltPgm();
    QVERIFY(f->dialogs.entries.isEmpty());

    page.altFromBox->setValue(5);
    page.fileEdit->setText(path);
    page.openButton->click();
    QCOMPARE(f->dialogs.texts(), QStringList{readOk});
    QCOMPARE(f->window().scratchReleases, 1);
    QVERIFY(page.copySource->show() && page.copySource->show() != &c);
    QVERIFY(page.altCopyButton->isEnabled());
    QCOMPARE(page.altToBox->minimum(), 4);
    QCOMPARE(page.descriptionEdit->text(), QStringLiteral("fifth of the other"));

    f->show(20);
    page.poolBox->setValue(300);
    page.altToBox->setValue(5);
    page.altCopyButton->click();
    QCOMPARE(f->scenes(20), (QList<int>{299, 300}));
    QCOMPARE(f->programs().recurrences(20), 0);
    QCOMPARE(c.sceneDescriptions[300], QStringLiteral("other scene 9"));
    QCOMPARE(c.programDescriptions[20], QStringLiteral("fifth of the other"));
    QCOMPARE(relabel.count(), 1);

    // Another Open reads into the same object.
    kv310_controller_class* held = page.copySource->show();
    page.openButton->click();
    QCOMPARE(page.copySource->show(), held);
    QCOMPARE(f->window().scratchReleases, 1);

    page.releaseButton->click();
    QVERIFY(!page.copySource->show());
    QVERIFY(!page.altCopyButton->isEnabled());
}

// The other file is read into a scratch object: whether the read succeeds
// or fails, the show keeps its visual project, window fields and title, and
// Copy is offered.
void tst_program_tools::openingLeavesTheShowAlone()
{
    kv310_controller_class& c = f->controller();
    const auto loadProject = [&c](int fixtures) {
        QString text = QStringLiteral("\n<project>\n") + visualProjectXml(fixtures) + QStringLiteral("</project>\n");
        QTextStream in(&text, QIODevice::ReadOnly);
        c.readProjectXml(in, 0);
    };
    const QString path = dir.filePath(QStringLiteral("plan.31xcfg"));
    loadProject(4);
    {
        kv310_controller_class other;
        other.write_confDataToFile(path, false);
    }
    loadProject(2);
    QCOMPARE(f->project().fixtures.size(), qsizetype(2));
    f->window().setWindowTitle(QStringLiteral("KvOrbit310+ - main.31xcfg"));
    f->window().calls.clear();
    f->makeProgram(0, {10});
    f->build();
    aprogram_settings_widget& page = *f->page;
    f->dialogs.clear();

    for (const QString& name : {path, dir.filePath(QStringLiteral("missing.31xcfg"))}) {
        page.fileEdit->setText(name);
        page.openButton->click();
        QVERIFY(page.altCopyButton->isEnabled());
    }
    QCOMPARE(f->dialogs.texts(), (QStringList{readOk, readFailed}));
    QCOMPARE(f->project().fixtures.size(), qsizetype(2));
    QVERIFY(f->window().calls.isEmpty());
    QCOMPARE(f->window().windowTitle(), QStringLiteral("KvOrbit310+ - main.31xcfg"));
    QCOMPARE(f->programs().stepCount(0), 1);
}

void tst_program_tools::browsingAndClearing()
{
    const QString path = dir.filePath(QStringLiteral("other.31xcfg"));
    {
        kv310_controller_class other;
        other.programDescriptions[0] = QStringLiteral("first of the other");
        other.write_confDataToFile(path, false);
    }
    f->build();
    f->dialogs.clear();
    aprogram_settings_widget& page = *f->page;
    page.toolTabs->setCurrentIndex(2);
    f->dialogs.answerFile(QString());
    page.browseButton->click();
    const dialogRecorder::entry shown = f->dialogs.entries.first();
    QCOMPARE(shown.kind, QStringLiteral("open"));
    QCOMPARE(shown.title, QStringLiteral("Choose a project description file for Kv310+ controller"));
    QCOMPARE(shown.directory, QStringLiteral("./"));
    QCOMPARE(shown.filter, QStringLiteral("KvOrbit310+ project/config files "
                                          "(*.31xcfg;*cfg310v4;*.cfg310;*.kvg;*.cfg);;All files (*)"));
    QVERIFY(!page.copySource->show());

    f->dialogs.answerFile(path);
    page.browseButton->click();
    QCOMPARE(page.fileEdit->text(), path);
    QVERIFY(page.copySource->show());
    QCOMPARE(f->dialogs.texts().last(), readOk);
    // altFromBox shows 1: the minimum of altToBox drops to 0 until it changes.
    QCOMPARE(page.altToBox->minimum(), 0);
    QCOMPARE(page.descriptionEdit->text(), QStringLiteral("first of the other"));

    kv310_controller_class* held = page.copySource->show();
    page.copySource->clear();
    QCOMPARE(page.copySource->show(), held);
    QVERIFY(!page.altCopyButton->isEnabled());
    QVERIFY(page.descriptionEdit->text().isEmpty());
    QVERIFY(held->programDescriptions[0].isEmpty());
}

void tst_program_tools::theOtherConfigurationGoesWithThePage()
{
    f->build();
    f->page->copySource->read();   // no file named: the read fails, the object stays
    QVERIFY(f->page->copySource->show());
    const QPointer<kv310_controller_class> held(f->page->copySource->show());
    f->page.reset();
    QVERIFY(held.isNull());
}

void tst_program_tools::entriesPage()
{
    kv310_controller_class& c = f->controller();
    f->build();
    aprogram_settings_widget& page = *f->page;
    QCOMPARE(page.toolTabs->count(), 3);
    QVERIFY(page.entriesPage);
    QVERIFY(!page.entriesPage->parent());
    // Not a tab: a refresh leaves the page alone.
    addEntry(c, 4, 2);
    page.refresh();
    QCOMPARE(page.entriesModel->rowCount(), 0);
    QCOMPARE(page.programList->rowCount(), 511);

    page.toolTabs->addTab(page.entriesPage, QStringLiteral("Extra entries"));
    page.toolTabs->setCurrentIndex(3);
    QCOMPARE(page.entriesModel->rowCount(), 1);
    QCOMPARE(page.entriesModel->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Start Program"));
    page.showEntriesTab(true);
    QCOMPARE(page.toolTabs->count(), 4);
    page.showEntriesTab(false);
    QCOMPARE(page.toolTabs->count(), 3);
    QVERIFY(page.entriesPage);
}

void tst_program_tools::entryCells_data()
{
    QTest::addColumn<int>("program");      // of the entry, 0-based
    QTest::addColumn<int>("fromStep");
    QTest::addColumn<int>("steps");        // of program 5 (1-based)
    QTest::addColumn<QStringList>("row");

    QTest::newRow("valid") << 4 << 2 << 10 << QStringList{"Program 5", "Step 3", "512"};
    QTest::newRow("last step") << 4 << 9 << 10 << QStringList{"Program 5", "Step 10", "512"};
    QTest::newRow("step beyond") << 4 << 10 << 10 << QStringList{"Program 5", "Invalid step", "---"};
    QTest::newRow("first step") << 4 << 0 << 10 << QStringList{"Program 5", "Invalid step", "---"};
    QTest::newRow("too short") << 4 << 1 << 1 << QStringList{"Program 5", "Program too short", "---"};
    QTest::newRow("missing program") << 6 << 1 << 10 << QStringList{"Program 7", "Program too short", "---"};
    QTest::newRow("deleted") << 0xFFFF << 1 << 10 << QStringList{"Not defined", "---", "---"};
    QTest::newRow("program 513") << 512 << 1 << 10 << QStringList{"Not defined", "---", "---"};
}

void tst_program_tools::entryCells()
{
    QFETCH(int, program);
    QFETCH(int, fromStep);
    QFETCH(int, steps);
    QFETCH(QStringList, row);

    kv310_controller_class& c = f->controller();
    f->makeProgram(4, QList<int>(steps, 10));
    c.programDescriptions[4] = QStringLiteral("fifth");
    addEntry(c, program, fromStep);
    f->build();
    aprogram_settings_widget& page = *f->page;
    page.toolTabs->addTab(page.entriesPage, QStringLiteral("Extra entries"));
    page.toolTabs->setCurrentIndex(3);
    QCOMPARE(entryRow(*page.entriesModel, 0), row);

    page.entriesView->setCurrentIndex(page.entriesModel->index(0, 1));
    QCOMPARE(page.descriptionEdit->text(), program == 4 ? QStringLiteral("fifth") : QString());
}

void tst_program_tools::addingEntries()
{
    kv310_controller_class& c = f->controller();
    f->build();
    aprogram_settings_widget& page = *f->page;
    page.toolTabs->addTab(page.entriesPage, QStringLiteral("Extra entries"));
    page.toolTabs->setCurrentIndex(3);
    QCOMPARE(page.programList->rowCount(), 512);
    f->show(511);

    page.addEntryButton->click();
    QCOMPARE(c.extraEntries.size(), size_t(1));
    QCOMPARE(c.extraEntries[0]->program, uint16_t(0));
    QCOMPARE(c.extraEntries[0]->fromStep, uint16_t(1));
    QCOMPARE(c.extraEntries[0]->slot, uint16_t(511));
    QCOMPARE(page.programList->rowCount(), 511);
    QCOMPARE(page.programList->currentRow(), 510);
    QCOMPARE(page.currentProgram, 510);
    QCOMPARE(entryRow(*page.entriesModel, 0), (QStringList{"Program 1", "Program too short", "---"}));

    f->programs().setStepCount(0, 2);
    page.refresh();
    QCOMPARE(entryRow(*page.entriesModel, 0), (QStringList{"Program 1", "Step 2", "512"}));

    // Program 511 holds steps: "No" leaves everything as it was.
    f->programs().setStepCount(510, 3);
    f->dialogs.answer(0);
    page.addEntryButton->click();
    QCOMPARE(f->dialogs.texts().last(), QStringLiteral("Do you want to overwrite program No. 511?"));
    QCOMPARE(f->dialogs.entries.last().buttons, (QStringList{"No", "Yes, I do!"}));
    QCOMPARE(c.extraEntries.size(), size_t(1));
    QCOMPARE(page.programList->rowCount(), 511);
    f->dialogs.answer(1);
    page.addEntryButton->click();
    QCOMPARE(c.extraEntries.size(), size_t(2));
    QCOMPARE(f->programs().stepCount(510), 3);   // the program itself stays
    QCOMPARE(page.programList->rowCount(), 510);
    QCOMPARE(page.currentProgram, 509);

    // The delegate's program box shows a program's description.
    c.programDescriptions[6] = QStringLiteral("seventh");
    emit page.entriesDelegate->changeDesc(7);
    QCOMPARE(page.descriptionEdit->text(), QStringLiteral("seventh"));
    emit page.entriesDelegate->changeDesc(513);
    QVERIFY(page.descriptionEdit->text().isEmpty());
}

void tst_program_tools::removingEntries()
{
    kv310_controller_class& c = f->controller();
    f->makeProgram(0, {10, 10, 10});
    for (int i = 0; i < 3; ++i)
        addEntry(c, 0, 1);
    f->build();
    aprogram_settings_widget& page = *f->page;
    page.toolTabs->addTab(page.entriesPage, QStringLiteral("Extra entries"));
    page.toolTabs->setCurrentIndex(3);
    QCOMPARE(page.programList->rowCount(), 509);

    // Without a current row nothing is removed.
    page.removeEntryButton->click();
    QCOMPARE(c.extraEntries.size(), size_t(3));

    page.entriesView->setCurrentIndex(page.entriesModel->index(1, 0));
    page.removeEntryButton->click();
    QCOMPARE(c.extraEntries.size(), size_t(3));
    QCOMPARE(entryRow(*page.entriesModel, 1), (QStringList{"Not defined", "---", "---"}));
    QCOMPARE(entryRow(*page.entriesModel, 2), (QStringList{"Program 1", "Step 2", "510"}));

    // The next "Add" takes the removed entry's slot.
    page.addEntryButton->click();
    QCOMPARE(c.extraEntries.size(), size_t(3));
    QCOMPARE(entryRow(*page.entriesModel, 1), (QStringList{"Program 1", "Step 2", "511"}));

    page.entriesView->setCurrentIndex(page.entriesModel->index(2, 0));
    page.removeEntryButton->click();
    QCOMPARE(c.extraEntries.size(), size_t(2));
    QCOMPARE(page.entriesModel->rowCount(), 2);
    QCOMPARE(page.programList->rowCount(), 510);

    page.clearEntriesButton->click();
    QVERIFY(c.extraEntries.empty());
    QCOMPARE(page.entriesModel->rowCount(), 0);
    QCOMPARE(page.programList->rowCount(), 512);
    QVERIFY(f->dialogs.entries.isEmpty());
}

// Every entry takes an ordinary program slot: the last one is kept.
void tst_program_tools::entryLimit()
{
    kv310_controller_class& c = f->controller();
    for (int i = 0; i < 510; ++i)
        addEntry(c, 0, 1);
    f->build();
    aprogram_settings_widget& page = *f->page;
    page.toolTabs->addTab(page.entriesPage, QStringLiteral("Extra entries"));
    page.toolTabs->setCurrentIndex(3);
    f->show(1);

    page.addEntryButton->click();
    QCOMPARE(c.extraEntries.size(), size_t(511));
    QCOMPARE(page.programList->rowCount(), 1);
    QCOMPARE(page.programList->currentRow(), 0);
    QCOMPARE(page.currentProgram, 0);

    page.addEntryButton->click();
    QCOMPARE(f->dialogs.texts(), QStringList{QStringLiteral("Program number limit exceeded!")});
    QCOMPARE(c.extraEntries.size(), size_t(511));
    QCOMPARE(page.programList->rowCount(), 1);
    QCOMPARE(page.programList->currentRow(), 0);

    // A removed entry is still taken again.
    c.extraEntries[7]->program = 0xFFFF;
    page.addEntryButton->click();
    QCOMPARE(c.extraEntries[7]->program, uint16_t(0));
    QCOMPARE(f->dialogs.entries.size(), 1);
}

QTEST_MAIN(tst_program_tools)
#include "tst_program_tools.moc"
