#include "monitor_rig.h"

#include "support/virtual_clock.h"
#include "monitor/state_texts.h"
#include "model/events.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QtEndian>

#include <functional>

namespace {

using statesSetup = std::function<void(simInternalStates&)>;
using descriptionsSetup = std::function<void(kv310_controller_class&)>;

std::array<QString, STATE_ROWS> textsOf(const QByteArray& block, const std::array<bool, STATE_ROWS>& descr,
                                        const kv310_controller_class* controller)
{
    return stateTexts::build(reinterpret_cast<const uint8_t*>(block.constData()), int(block.size()), descr,
                             controller);
}

QStringList list(const std::array<QString, STATE_ROWS>& texts)
{
    return QStringList(texts.begin(), texts.end());
}

void putWord(QByteArray& block, int byte, int value)
{
    qToLittleEndian<quint16>(quint16(value), block.data() + byte);
}

QTextEdit* rowEdit(pokaz* w, int row)
{
    return qobject_cast<QTextEdit*>(w->table->cellWidget(row, 1));
}

btn_lbl* rowCaption(pokaz* w, int row)
{
    return qobject_cast<btn_lbl*>(w->table->cellWidget(row, 0));
}

}  // namespace

Q_DECLARE_METATYPE(statesSetup)
Q_DECLARE_METATYPE(descriptionsSetup)

class tst_state_texts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texts_data();
    void texts();
    void entriesOnlyInsideTheBlock_data();
    void entriesOnlyInsideTheBlock();
    void windowRows();
    void descriptionsFromTheNextRead();
    void scrollPositionsKept();

private:
    virtualClock clock;
};

void tst_state_texts::texts_data()
{
    QTest::addColumn<statesSetup>("states");
    QTest::addColumn<int>("descriptionRows");  // bit r: row r shows descriptions
    QTest::addColumn<descriptionsSetup>("describe");
    QTest::addColumn<QStringList>("texts");

    const descriptionsSetup nothing = [](kv310_controller_class&) {};
    const QString none = QStringLiteral("none");
    QTest::newRow("zeros") << statesSetup([](simInternalStates&) {}) << 0x1F << nothing
                           << QStringList{none, none, none, none, none};
    QTest::newRow("states 2 and 17, scenes 5 and 12")
        << statesSetup([](simInternalStates& s) {
               s.setState(17, true);
               s.setState(2, true);
               s.scenes = {11, 4};
           })
        << 0 << nothing << QStringList{"S2 S17 ", "Sc5 Sc12 ", none, none, none};
    QTest::newRow("first and last state")
        << statesSetup([](simInternalStates& s) {
               s.setState(68, true);
               s.setState(1, true);
           })
        << 0 << nothing << QStringList{"S1 S68 ", none, none, none, none};
    QTest::newRow("only unlisted bits") << statesSetup([](simInternalStates& s) { s.stateBits[0] = 0x0FFF; }) << 0
                                        << nothing << QStringList{"", none, none, none, none};
    QTest::newRow("steps sort as text")
        << statesSetup([](simInternalStates& s) { s.programs = {{4, 2}, {4, 9}, {0, 0}, {511, 998}}; }) << 0
        << nothing << QStringList{none, none, "Pr1-1 Pr5-10 Pr5-3 Pr512-999 ", none, none};
    QTest::newRow("scenes of four and five digits")
        << statesSetup([](simInternalStates& s) { s.scenes = {1000, 9999, 999, 998, 10239, 65535}; }) << 0 << nothing
        << QStringList{none, "Sc999 Sc1000 Sc10000 Sc1001 Sc10240 Sc65536 ", none, none, none};
    QTest::newRow("masks and delays end in two spaces")
        << statesSetup([](simInternalStates& s) {
               s.masks = {6};
               s.delays = {511, 0, 99};
           })
        << 0 << nothing << QStringList{none, none, none, "Msk7  ", "Dly1  Dly100  Dly512  "};
    QTest::newRow("descriptions")
        << statesSetup([](simInternalStates& s) {
               s.setState(3, true);
               s.scenes = {11, 4, 10239};
               s.programs = {{2, 0}};
               s.masks = {255, 0};
               s.delays = {4, 511};
           })
        << 0x1F
        << descriptionsSetup([](kv310_controller_class& c) {
               c.stateDescriptions[2] = QStringLiteral("never shown");
               c.sceneDescriptions[11] = QStringLiteral("Stage <b>wash</b>");
               c.sceneDescriptions[10239] = QStringLiteral("Last");
               c.programDescriptions[2] = QStringLiteral("Chase");
               c.maskDescriptions[255] = QStringLiteral("Blackout");
               c.eventDescriptions[EVENT_DELAY_END + 4] = QStringLiteral("Door delay");
               c.eventDescriptions[EVENT_DELAY_END + 511] = QStringLiteral("Last delay");
           })
        << QStringList{"S3 ",
                       "Sc5 no description...\nSc12 Stage <b>wash</b>\nSc10240 Last\n",
                       "Pr3-1 Chase\n",
                       "Msk1  no description...\nMsk256  Blackout\n",
                       "Dly5  Door delay\nDly512  Last delay\n"};
    QTest::newRow("numbers without descriptions")
        << statesSetup([](simInternalStates& s) {
               s.scenes = {10240};
               s.programs = {{512, 0}};
               s.masks = {256};
               s.delays = {512};
           })
        << 0x1E << nothing
        << QStringList{none, "Sc10241 no description...\n", "Pr513-1 no description...\n",
                       "Msk257  no description...\n", "Dly513  no description...\n"};
    QTest::newRow("descriptions on one row only")
        << statesSetup([](simInternalStates& s) {
               s.scenes = {0};
               s.masks = {0};
           })
        << 0x8 << descriptionsSetup([](kv310_controller_class& c) { c.sceneDescriptions[0] = QStringLiteral("A"); })
        << QStringList{none, "Sc1 ", none, "Msk1  no description...\n", none};
}

void tst_state_texts::texts()
{
    QFETCH(statesSetup, states);
    QFETCH(int, descriptionRows);
    QFETCH(descriptionsSetup, describe);
    QFETCH(QStringList, texts);

    simController sim(QStringLiteral("1"), TYPE_WORD_CURRENT);
    states(sim.internalStates);
    kv310_controller_class controller;
    describe(controller);
    std::array<bool, STATE_ROWS> descr{};
    for (int r = 0; r < STATE_ROWS; ++r)
        descr[size_t(r)] = descriptionRows & (1 << r);
    QCOMPARE(list(textsOf(sim.statesBlock(), descr, &controller)), texts);
}

void tst_state_texts::entriesOnlyInsideTheBlock_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QStringList>("texts");
    const QString none = QStringLiteral("none");

    // Three scenes announced, the list starting two words before the end.
    QByteArray scenes(2426, '\0');
    putWord(scenes, 0, 3);
    putWord(scenes, 2, 1198);
    putWord(scenes, 2422, 41);
    putWord(scenes, 2424, 9);
    QTest::newRow("scene list running off the end") << scenes << QStringList{none, "Sc10 Sc42 ", none, none, none};

    // A program whose step would lie past the end is not read at all.
    QByteArray programs(2426, '\0');
    putWord(programs, 4, 2);
    putWord(programs, 6, 1198);
    putWord(programs, 2422, 1);
    putWord(programs, 2424, 5);
    putWord(programs, 8, 65535);
    putWord(programs, 10, 65535);
    QTest::newRow("program list running off the end") << programs << QStringList{none, none, "Pr2-6 ", "", none};

    QByteArray shortBlock(20, '\0');
    putWord(shortBlock, 0, 5);
    putWord(shortBlock, 16, 1 << 12);
    QTest::newRow("block shorter than its header") << shortBlock << QStringList{"S1 ", "", none, none, none};
    QTest::newRow("empty block") << QByteArray() << QStringList{none, none, none, none, none};
}

void tst_state_texts::entriesOnlyInsideTheBlock()
{
    QFETCH(QByteArray, block);
    QFETCH(QStringList, texts);
    std::array<bool, STATE_ROWS> descr{};
    descr.fill(false);
    QCOMPARE(list(textsOf(block, descr, nullptr)), texts);
}

void tst_state_texts::windowRows()
{
    monitorRig m;
    m.rig.sim->internalStates.scenes = {4};
    m.panel->shStatesClicked();
    pokaz* w = m.panel->statesWindow;
    const QStringList captions{"Active states", "Active scenes", "Active programs", "Active masks", "Active delays"};
    for (int row = 0; row < STATE_ROWS; ++row) {
        QCOMPARE(rowCaption(w, row)->label->text(), captions.at(row));
        QCOMPARE(rowCaption(w, row)->descrButton->text(), QStringLiteral("Descr."));
        QVERIFY(rowEdit(w, row)->isReadOnly());
        QCOMPARE(rowEdit(w, row)->toPlainText(), QString());  // nothing drawn at opening
    }
    m.poll();
    QVERIFY(w->isVisible());
    QCOMPARE(rowEdit(w, 0)->toPlainText(), QStringLiteral("none"));
    QCOMPARE(rowEdit(w, 1)->toPlainText(), QStringLiteral("Sc5 "));
}

void tst_state_texts::descriptionsFromTheNextRead()
{
    monitorRig m;
    m.rig.controller->sceneDescriptions[4] = QStringLiteral("<h1>Big</h1> & <i>small</i>");
    m.rig.sim->internalStates.scenes = {4};
    m.panel->shStatesClicked();
    m.poll();
    pokaz* w = m.panel->statesWindow;
    rowCaption(w, 1)->descrButton->click();
    QVERIFY(rowCaption(w, 1)->showDescriptions);
    QCOMPARE(rowEdit(w, 1)->toPlainText(), QStringLiteral("Sc5 "));
    m.poll();
    // The description is shown as typed, markup and all.
    QCOMPARE(rowEdit(w, 1)->toPlainText(), QStringLiteral("Sc5 <h1>Big</h1> & <i>small</i>\n"));
    rowCaption(w, 1)->descrButton->click();
    m.poll();
    QCOMPARE(rowEdit(w, 1)->toPlainText(), QStringLiteral("Sc5 "));
}

void tst_state_texts::scrollPositionsKept()
{
    monitorRig m;
    for (int s = 0; s < 400; ++s)
        m.rig.sim->internalStates.scenes << uint16_t(s);
    m.panel->shStatesClicked();
    m.poll();
    pokaz* w = m.panel->statesWindow;
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QScrollBar* bar = rowEdit(w, 1)->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 10);
    bar->setValue(bar->maximum() / 2);
    const int position = bar->value();

    m.rig.sim->internalStates.scenes.removeLast();
    m.poll();
    QVERIFY(!rowEdit(w, 1)->toPlainText().contains(QStringLiteral("Sc400 ")));
    QCOMPARE(bar->value(), position);
    m.poll();
    QCOMPARE(bar->value(), position);
}

QTEST_MAIN(tst_state_texts)
#include "tst_state_texts.moc"
