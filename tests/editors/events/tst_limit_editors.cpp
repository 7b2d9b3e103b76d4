#include "action_table_rig.h"
#include "editors/events/daytime_limit_editor.h"
#include "editors/events/state_limit_editor.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int INPUT1_ON = EVENT_INPUT;

QTime shown(const DTL_Box* box)
{
    return box->time();
}

struct stateLimits {
    uint8_t first = 0xFF;
    uint32_t words[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
};

}  // namespace

// The daytime-limit editor and the state-limit editor: how they load and
// store the bytes of an action, and how they behave as editors of a cell.
class tst_limit_editors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void daytimeRoundTrip_data();
    void daytimeRoundTrip();
    void daytimeModesShowTheirParts();
    void snappingToTenMinutes_data();
    void snappingToTenMinutes();
    void stepsAroundTheEndOfTheDay();
    void uncheckingReturnsToNotSet();
    void freshManualWindowIsTheWholeDay();
    void daytimeThroughTheTable();

    void stateEncoding_data();
    void stateEncoding();
    void stateRowsShowDescriptions();
    void stateWindowThroughTheView();
};

// ---- Daytime limits ----------------------------------------------------------------

void tst_limit_editors::daytimeRoundTrip_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QTime>("fromShown");
    QTest::addColumn<QTime>("toShown");
    QTest::addColumn<int>("storedFrom");
    QTest::addColumn<int>("storedTo");
    QTest::addColumn<QString>("text");
    const QTime any;
    QTest::newRow("not set") << 0xFF << 0x30 << 0 << any << any << 0xFF << 0xFF << "Not set";
    QTest::newRow("daytime") << 0xFE << 0xFF << 1 << any << any << 0xFE << 0xFF << "Daytime only";
    QTest::newRow("night") << 0xFE << 0x12 << 2 << any << any << 0xFE << 0xFE << "Night-time only";
    QTest::newRow("manual to the end") << 48 << 144 << 3 << QTime(8, 0) << QTime(23, 59) << 48 << 144 << "8:00 - 24:00 ";
    QTest::newRow("manual clamped") << 150 << 200 << 3 << QTime(0, 0) << QTime(23, 59) << 0 << 144 << "0:00 - 24:00 ";
    QTest::newRow("from sunrise") << 0xFD << 135 << 4 << any << QTime(22, 30) << 0xFD << 135 << "sunrise - 22:30 ";
    QTest::newRow("to sunset") << 37 << 0xFC << 5 << QTime(6, 10) << any << 37 << 0xFC << "6:10 - sunset";
    QTest::newRow("from sunset") << 0xFC << 30 << 6 << any << QTime(5, 0) << 0xFC << 30 << "sunset - 5:00 ";
    QTest::newRow("to sunrise") << 150 << 0xFD << 7 << QTime(0, 0) << any << 0 << 0xFD << "0:00 - sunrise";
}

void tst_limit_editors::daytimeRoundTrip()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, mode);
    QFETCH(QTime, fromShown);
    QFETCH(QTime, toShown);
    QFETCH(int, storedFrom);
    QFETCH(int, storedTo);
    QFETCH(QString, text);
    DTL_widget editor(nullptr);
    loadDaytimeLimit(&editor, uint8_t(from), uint8_t(to));
    QCOMPARE(editor.modeCombo->currentIndex(), mode);
    QCOMPARE(editor.enableBox->isChecked(), mode >= 3);
    if (fromShown.isValid())
        QCOMPARE(shown(editor.fromBox), fromShown);
    if (toShown.isValid())
        QCOMPARE(shown(editor.toBox), toShown);
    const QPair<uint8_t, uint8_t> stored = storedDaytimeLimit(&editor);
    QCOMPARE(int(stored.first), storedFrom);
    QCOMPARE(int(stored.second), storedTo);
    QCOMPARE(daytimeLimitText(&editor), text);
}

void tst_limit_editors::daytimeModesShowTheirParts()
{
    // Mode: check box, from box, to box, from label text, to label text.
    struct parts {
        int mode;
        bool fromBox, toBox;
        QString fromLabel, toLabel;
    };
    const QList<parts> table = {{3, true, true, {}, {}},
                                {4, false, true, "sunrise - ", {}},
                                {5, true, false, {}, " - sunset"},
                                {6, false, true, "sunset - ", {}},
                                {7, true, false, {}, " - sunrise"}};
    for (const parts& p : table) {
        DTL_widget editor(nullptr);
        editor.show();
        QVERIFY(editor.modeCombo->isVisible());
        editor.modeCombo->setCurrentIndex(p.mode);
        QVERIFY(!editor.modeCombo->isVisible());
        QVERIFY(editor.enableBox->isVisible() && editor.enableBox->isChecked());
        QCOMPARE(editor.fromBox->isVisible(), p.fromBox);
        QCOMPARE(editor.toBox->isVisible(), p.toBox);
        QCOMPARE(editor.fromLabel->isVisible(), !p.fromLabel.isEmpty());
        QCOMPARE(editor.toLabel->isVisible(), !p.toLabel.isEmpty());
        if (!p.fromLabel.isEmpty())
            QCOMPARE(editor.fromLabel->text(), p.fromLabel);
        if (!p.toLabel.isEmpty())
            QCOMPARE(editor.toLabel->text(), p.toLabel);
    }
}

void tst_limit_editors::snappingToTenMinutes_data()
{
    QTest::addColumn<int>("held");
    QTest::addColumn<QTime>("typed");
    QTest::addColumn<int>("value");
    QTest::addColumn<QTime>("shows");
    QTest::newRow("up to the end of the day") << 140 << QTime(23, 55) << 144 << QTime(23, 59);
    QTest::newRow("typed over earlier") << 72 << QTime(12, 34) << 75 << QTime(12, 30);
    QTest::newRow("typed over later") << 80 << QTime(12, 34) << 74 << QTime(12, 20);
    QTest::newRow("whole ten minutes") << 10 << QTime(17, 40) << 106 << QTime(17, 40);
    QTest::newRow("hour step down") << 144 << QTime(22, 59) << 137 << QTime(22, 50);
}

void tst_limit_editors::snappingToTenMinutes()
{
    QFETCH(int, held);
    QFETCH(QTime, typed);
    QFETCH(int, value);
    QFETCH(QTime, shows);
    DTL_Box box(nullptr);
    box.setDisplayFormat(QStringLiteral("h:mm"));
    box.setValue(uint8_t(held));
    box.setTime(typed);
    QCOMPARE(int(box.value), value);
    QCOMPARE(box.time(), shows);
}

void tst_limit_editors::stepsAroundTheEndOfTheDay()
{
    DTL_Box box(nullptr);
    box.setDisplayFormat(QStringLiteral("h:mm"));
    box.setValue(144);
    box.setCurrentSection(QDateTimeEdit::MinuteSection);
    box.stepBy(-1);
    QCOMPARE(int(box.value), 143);
    QCOMPARE(box.time(), QTime(23, 50));
    box.stepBy(1);
    QCOMPARE(int(box.value), 144);
    QCOMPARE(box.time(), QTime(23, 59));
    box.stepBy(-1);
    box.stepBy(-1);
    QCOMPARE(int(box.value), 142);
    // A sun code set into a box keeps its byte while the box shows 23:59.
    box.setValue(0xFC);
    QCOMPARE(int(box.value), 0xFC);
    QCOMPARE(box.time(), QTime(23, 59));
}

void tst_limit_editors::uncheckingReturnsToNotSet()
{
    for (int mode = 3; mode <= 7; ++mode) {
        DTL_widget editor(nullptr);
        editor.show();
        loadDaytimeLimit(&editor, 0xFD, 100);
        editor.modeCombo->setCurrentIndex(mode);
        editor.enableBox->setChecked(false);
        QVERIFY(!editor.isVisible());
        QCOMPARE(editor.modeCombo->currentIndex(), 0);
        QVERIFY(!editor.enableBox->isVisibleTo(&editor));
        QVERIFY(editor.modeCombo->isVisibleTo(&editor));
        const QPair<uint8_t, uint8_t> stored = storedDaytimeLimit(&editor);
        QCOMPARE(int(stored.first), 0xFF);
        QCOMPARE(int(stored.second), 0xFF);
    }
}

void tst_limit_editors::freshManualWindowIsTheWholeDay()
{
    DTL_widget editor(nullptr);
    loadDaytimeLimit(&editor, 0xFF, 0xFF);
    editor.modeCombo->setCurrentIndex(DTL_widget::MANUAL);
    const QPair<uint8_t, uint8_t> stored = storedDaytimeLimit(&editor);
    QCOMPARE(int(stored.first), 0);
    QCOMPARE(int(stored.second), 144);
    QCOMPARE(daytimeLimitText(&editor), QStringLiteral("0:00 - 24:00 "));
}

void tst_limit_editors::daytimeThroughTheTable()
{
    actionTableRig rig(0);
    const int i = rig.add(INPUT1_ON, ACTION_SCENE, 0, SUB_ON);
    rig.events().setDaytimeLimit(INPUT1_ON, i, 0xFD, 135);
    rig.show(INPUT1_ON);
    rig.edit<DTL_widget>(0, 3, [](DTL_widget* editor) {
        QCOMPARE(editor->modeCombo->currentIndex(), int(DTL_widget::FROM_SUNRISE));
        editor->toBox->setValue(138);
    });
    QCOMPARE(rig.events().daytimeFrom(INPUT1_ON, 0), 0xFD);
    QCOMPARE(rig.events().daytimeTo(INPUT1_ON, 0), 138);
    QCOMPARE(rig.table.item(0, 3)->text(), QStringLiteral("sunrise - 23:00"));
}

// ---- State limits ------------------------------------------------------------------

void tst_limit_editors::stateEncoding_data()
{
    // Loaded from (first, words), changed by (state, button: 'i', 's', 'u',
    // or 'c' for "Clear all"), stored as (first, words).
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<uint>>("words");
    QTest::addColumn<int>("state");
    QTest::addColumn<char>("button");
    QTest::addColumn<int>("storedFirst");
    QTest::addColumn<QList<uint>>("storedWords");
    const QList<uint> ones = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    QTest::newRow("all ignored") << 0xFF << ones << 0 << 'n' << 0xFF << ones;
    QTest::newRow("code 01 is stored as ignore") << 0x55 << QList<uint>{0x55555555, 0x55555555, 0x55555555, 0x55555555}
                                                 << 0 << 'n' << 0xFF << ones;
    QTest::newRow("S1 when set") << 0xFF << ones << 1 << 's' << 0xFE << ones;
    QTest::newRow("S68 when set") << 0xFF << ones << 68 << 's' << 0xFF
                                  << QList<uint>{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xBFFFFFFF};
    QTest::newRow("S5 when unset") << 0xFF << ones << 5 << 'u' << 0xFF
                                   << QList<uint>{0xFFFFFFFC, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    QTest::newRow("S21 back to ignore") << 0x00 << QList<uint>{0, 0x2, 0, 0} << 21 << 'i' << 0x00
                                        << QList<uint>{0, 0x3, 0, 0};
    QTest::newRow("clear all") << 0xA0 << QList<uint>{0, 0x8, 0x20000000, 2} << 0 << 'c' << 0xFF << ones;
}

void tst_limit_editors::stateEncoding()
{
    QFETCH(int, first);
    QFETCH(QList<uint>, words);
    QFETCH(int, state);
    QFETCH(char, button);
    QFETCH(int, storedFirst);
    QFETCH(QList<uint>, storedWords);
    pageFixture world;
    StL_widget editor(&world.tab);
    const uint32_t in[4] = {words[0], words[1], words[2], words[3]};
    loadStateLimits(&editor, uint8_t(first), in);
    if (button == 'c') {
        editor.pbClear->click();
    } else if (state > 0) {
        setStateClass* row = editor.stateRow(state - 1);
        (button == 'i' ? row->ignoreButton : button == 's' ? row->whenSetButton : row->whenUnsetButton)->setChecked(true);
    }
    uint32_t out[4];
    QCOMPARE(int(storedStateLimits(&editor, out)), storedFirst);
    QCOMPARE((QList<uint>{out[0], out[1], out[2], out[3]}), storedWords);
}

void tst_limit_editors::stateRowsShowDescriptions()
{
    pageFixture world;
    world.controller().stateDescriptions[2] = QStringLiteral("Doors open");
    StL_widget editor(&world.tab);
    QCOMPARE(editor.windowTitle(), QStringLiteral("State limits"));
    QCOMPARE(editor.twStates->rowCount(), 68);
    QCOMPARE(editor.twStates->item(67, 0)->text(), QStringLiteral("State S68"));
    QCOMPARE(editor.twStates->item(2, 2)->text(), QStringLiteral("Doors open"));
    QCOMPARE(editor.twStates->item(3, 2)->text(), QStringLiteral("no description..."));
    QCOMPARE(editor.twStates->item(3, 2)->flags(), Qt::ItemIsEnabled);
    // A fresh row has no button checked: stored, it reads "when unset".
    uint32_t out[4];
    QCOMPARE(int(storedStateLimits(&editor, out)), 0);
}

void tst_limit_editors::stateWindowThroughTheView()
{
    actionTableRig rig(0);
    rig.add(INPUT1_ON, ACTION_SCENE, 0, SUB_ON);
    const uint32_t words[4] = {0xFFFFFFF3, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    rig.events().setStateLimits(INPUT1_ON, 0, 0xFE, words);
    rig.show(INPUT1_ON);
    rig.window().setGeometry(100, 50, 1000, 700);
    rig.tab.show();

    const auto openWindow = [&rig]() -> StL_widget* {
        rig.table.edit(rig.index(0, 4));
        auto* editor = rig.table.findChild<StL_widget*>();
        if (!editor)
            editor = rig.tab.findChild<StL_widget*>();
        return editor;
    };

    // "Clear all", then "Cancel": nothing changes.
    StL_widget* editor = openWindow();
    QVERIFY(editor);
    QCOMPARE(editor->parentWidget(), &rig.tab);
    QVERIFY(editor->isWindow());
    QCOMPARE(editor->size(), QSize(872, 216));
    QCOMPARE(editor->pos(), QPoint(100 + (1000 - 872) / 2, 50 + (700 - 216) / 2));
    QVERIFY(editor->stateRow(0)->whenSetButton->isChecked());
    QVERIFY(editor->stateRow(5)->whenUnsetButton->isChecked());
    editor->pbClear->click();
    QVERIFY(editor->stateRow(0)->ignoreButton->isChecked());
    editor->pbCancel->click();
    QTRY_VERIFY(!rig.tab.findChild<StL_widget*>() || !rig.tab.findChild<StL_widget*>()->isVisible());
    uint32_t now[4];
    QCOMPARE(rig.events().stateLimits(INPUT1_ON, 0, now), 0xFE);
    QCOMPARE(now[0], 0xFFFFFFF3u);
    QCOMPARE(rig.table.item(0, 4)->text(), QStringLiteral("S1 s6 "));

    // "Clear all", then "Set": every state is ignored.
    QTRY_VERIFY(!rig.tab.findChild<StL_widget*>());
    editor = openWindow();
    QVERIFY(editor);
    editor->pbClear->click();
    editor->pbSet->click();
    QCOMPARE(rig.events().stateLimits(INPUT1_ON, 0, now), 0xFF);
    QCOMPARE(now[0], 0xFFFFFFFFu);
    QCOMPARE(rig.table.item(0, 4)->text(), QString());
}

QTEST_MAIN(tst_limit_editors)
#include "tst_limit_editors.moc"
