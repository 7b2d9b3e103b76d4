#include "monitor_rig.h"

#include "support/virtual_clock.h"
#include "monitor/dmx_value.h"
#include "monitor/state_texts.h"
#include "model/config_image.h"
#include "model/events.h"

#include <QHeaderView>
#include <QLabel>
#include <QRadialGradient>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include <cmath>

namespace {

void setInputType(int input, int type)
{
    img::putI32(theController->configImage, img::inputTypesOf(input), type);
}

inKey_class* key(pokaz* window, int row, int column)
{
    return qobject_cast<inKey_class*>(window->table->cellWidget(row, column));
}

dmx_value_class* cell(pokaz* window, int row, int column)
{
    return qobject_cast<dmx_value_class*>(window->table->cellWidget(row, column));
}

// The colour at the rim of a gradient fill, or the colour of a solid one.
QColor fillColour(const QWidget* w)
{
    const QBrush brush = w->palette().brush(w->backgroundRole());
    if (const QGradient* g = brush.gradient())
        return g->stops().constLast().second;
    return brush.color();
}

// Counts the paint events of the widgets it watches.
class paintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted << static_cast<dmx_value_class*>(watched)->channel;
        return false;
    }
    QList<int> painted;
};

// The WCAG contrast ratio of two colours: 1 for equal ones, 21 for black on white.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// What a widget's text is drawn on: the fill of the nearest widget that fills its background.
QColor backgroundOf(const QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return fillColour(w);
    }
    return QColor();
}

}  // namespace

class tst_monitor_windows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowsOpenHiddenWithTheirShape();
    void textsReadOnTheirBackgrounds();
    void indicator_data();
    void indicator();
    void inputLevelsReachTheirIndicators();
    void inputTypeChangeShowsAtTheNextPoll();
    void indicatorToolTip();
    void valueColours_data();
    void valueColours();
    void valueGrid();
    void valueBuffersStartZeroed();
    void onlyChangedCellsRepaint();
    void hiddenOutputWindowStillTicks();
    void valueToolTips_data();
    void valueToolTips();
    void outputWindowGoing();

private:
    virtualClock clock;
};

void tst_monitor_windows::windowsOpenHiddenWithTheirShape()
{
    monitorRig m;
    m.panel->shInputsClicked();
    m.panel->shDmxInClicked();
    m.panel->shDmxOutClicked();
    m.panel->shStatesClicked();
    struct {
        pokaz* window;
        const char* title;
        int rows, columns;
        size_t buffer;
    } const expected[] = {{m.panel->inputsWindow, "Inputs' states", 6, 4, 24},
                          {m.panel->dmxInWindow, "Input DMX values", 52, 10, 512},
                          {m.panel->dmxOutWindow, "Output DMX values", 52, 10, 512},
                          {m.panel->statesWindow, "Internal states", 5, 2, 2426}};
    for (const auto& e : expected) {
        QVERIFY(e.window);
        QCOMPARE(e.window->windowTitle(), QLatin1String(e.title));
        QVERIFY(!e.window->isVisible());
        QVERIFY(e.window->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(e.window->table->rowCount(), e.rows);
        QCOMPARE(e.window->table->columnCount(), e.columns);
        QCOMPARE(e.window->buffer.size(), e.buffer);
        QCOMPARE(e.window->pbStop->text(), QStringLiteral("Stop monitoring"));
    }
    m.poll();
    // The inputs window keeps its size; the DMX windows only their width; the
    // states window follows the user, its text column and rows with it.
    pokaz* inputs = m.panel->inputsWindow;
    QCOMPARE(inputs->size(), QSize(242, 326));
    QCOMPARE(inputs->minimumSize(), inputs->maximumSize());
    pokaz* values = m.panel->dmxOutWindow;
    QCOMPARE(values->minimumWidth(), 452);
    QCOMPARE(values->maximumWidth(), 452);
    QVERIFY(values->maximumHeight() > 566);
    values->resize(452, 300);
    QCOMPARE(values->table->size(), QSize(450, 278));
    pokaz* states = m.panel->statesWindow;
    states->resize(400, 422);
    QCOMPARE(states->table->size(), QSize(398, 400));
    QCOMPARE(states->table->columnWidth(0) + states->table->columnWidth(1), 395);
    QVERIFY(states->table->columnWidth(0) >= 59);
    // The caption column is wide enough for every word of the captions.
    for (int row = 0; row < 5; ++row) {
        auto* caption = qobject_cast<btn_lbl*>(states->table->cellWidget(row, 0));
        const QFontMetrics metrics(caption->label->font());
        for (const QString& word : caption->label->text().split(QLatin1Char(' ')))
            QVERIFY2(metrics.horizontalAdvance(word) <= caption->label->contentsRect().width(), qPrintable(word));
    }
    QCOMPARE(states->table->rowHeight(4), 79);
    QCOMPARE(states->pbStop->width(), 398);
}

// Every caption and value of the four windows, as they show after a read,
// stands out from what it is drawn on (the contrast that body text needs).
void tst_monitor_windows::textsReadOnTheirBackgrounds()
{
    monitorRig m;
    m.panel->shInputsClicked();
    m.panel->shDmxInClicked();
    m.panel->shDmxOutClicked();
    m.panel->shStatesClicked();
    m.poll();
    int labels = 0;
    for (pokaz* window : {m.panel->inputsWindow, m.panel->dmxInWindow, m.panel->dmxOutWindow,
                          m.panel->statesWindow}) {
        QVERIFY(window && window->isVisible());
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            ++labels;
            const QPalette::ColorGroup group = label->isEnabled() ? QPalette::Active : QPalette::Disabled;
            const QColor text = label->palette().color(group, label->foregroundRole());
            const QColor ground = backgroundOf(label);
            QVERIFY2(contrast(text, ground) >= 4.5,
                     qPrintable(QStringLiteral("%1 \"%2\": %3 on %4")
                                    .arg(window->windowTitle(), label->text(), text.name(), ground.name())));
        }
    }
    QVERIFY(labels >= 24 + 5);
}

void tst_monitor_windows::indicator_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<int>("shadow");

    const QColor on = QColor::fromRgbF(0.2f, 1.0f, 0.2f);
    const QColor off = QColor::fromRgbF(1.0f, 0.25f, 0.25f);
    const QColor unused(200, 200, 200);
    QTest::newRow("normally open, closed") << 0 << 1 << "7: On" << on << int(QFrame::Sunken);
    QTest::newRow("normally open, open") << 0 << 0 << "7: Off" << off << int(QFrame::Raised);
    QTest::newRow("normally closed, closed") << 1 << 1 << "7: Off" << off << int(QFrame::Raised);
    QTest::newRow("normally closed, open") << 1 << 0 << "7: On" << on << int(QFrame::Sunken);
    QTest::newRow("not used, closed") << -1 << 1 << "Undef." << unused << int(QFrame::Plain);
    QTest::newRow("not used, open") << -1 << 0 << "Undef." << unused << int(QFrame::Plain);
    QTest::newRow("unknown type, closed") << 5 << 1 << "7: On" << on << int(QFrame::Sunken);
}

void tst_monitor_windows::indicator()
{
    QFETCH(int, type);
    QFETCH(int, level);
    QFETCH(QString, text);
    QFETCH(QColor, fill);
    QFETCH(int, shadow);
    QWidget parent;
    inKey_class indicator(6, &parent);
    QCOMPARE(indicator.text(), QStringLiteral("7: Off"));
    QCOMPARE(fillColour(&indicator), QColor::fromRgbF(1.0f, 0.25f, 0.25f));
    indicator.setInputState(level, type);
    QCOMPARE(indicator.text(), text);
    QCOMPARE(fillColour(&indicator), fill);
    QCOMPARE(int(indicator.frameShadow()), shadow);
}

void tst_monitor_windows::inputLevelsReachTheirIndicators()
{
    monitorRig m;
    for (int i = 0; i < 24; ++i)
        setInputType(i, 0);
    m.rig.sim->inputLevels = 0x800001;  // inputs 1 and 24
    m.panel->shInputsClicked();
    m.poll();
    pokaz* w = m.panel->inputsWindow;
    QVERIFY(w->isVisible());
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int input = 4 * r + c + 1;
            const bool on = input == 1 || input == 24;
            QCOMPARE(key(w, r, c)->text(), QStringLiteral("%1: %2").arg(input).arg(on ? "On" : "Off"));
        }
    }
    QCOMPARE(w->buffer.at(23), uint8_t(0x00));
    QCOMPARE(w->buffer.at(22), uint8_t(0xFF));

    m.rig.sim->inputLevels = 0;
    m.poll();
    QCOMPARE(key(w, 5, 3)->text(), QStringLiteral("24: Off"));
    QCOMPARE(key(w, 0, 0)->text(), QStringLiteral("1: Off"));
}

void tst_monitor_windows::inputTypeChangeShowsAtTheNextPoll()
{
    monitorRig m;
    setInputType(2, 0);
    m.rig.sim->inputLevels = 0x4;  // input 3
    m.panel->shInputsClicked();
    m.poll();
    pokaz* w = m.panel->inputsWindow;
    QCOMPARE(key(w, 0, 2)->text(), QStringLiteral("3: On"));

    setInputType(2, 1);
    QCOMPARE(key(w, 0, 2)->text(), QStringLiteral("3: On"));  // nothing before the poll
    m.poll();
    QCOMPARE(key(w, 0, 2)->text(), QStringLiteral("3: Off"));
    setInputType(2, -1);
    m.poll();
    QCOMPARE(key(w, 0, 2)->text(), QStringLiteral("Undef."));
}

void tst_monitor_windows::indicatorToolTip()
{
    monitorRig m;
    m.rig.controller->inputDescriptions[5] = QStringLiteral("Door <b>east</b>");
    m.panel->shInputsClicked();
    m.poll();
    pokaz* w = m.panel->inputsWindow;
    QCOMPARE(key(w, 1, 1)->descriptionText(), QStringLiteral("Door <b>east</b>"));
    QCOMPARE(key(w, 1, 2)->descriptionText(), QStringLiteral("no description..."));

    QTest::mousePress(key(w, 1, 2), Qt::LeftButton);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("no description..."));
    QTest::mouseRelease(key(w, 1, 2), Qt::LeftButton);
    QTRY_VERIFY(!QToolTip::isVisible());
    QVERIFY(m.reads().size() == 1);  // the one poll: a click sends nothing
}

void tst_monitor_windows::valueColours_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("0") << 0 << QColor(192, 192, 255);
    QTest::newRow("3") << 3 << QColor(192, 192, 255);
    QTest::newRow("4") << 4 << QColor(193, 193, 254);
    QTest::newRow("7") << 7 << QColor(193, 193, 254);
    QTest::newRow("8") << 8 << QColor(194, 194, 253);
    QTest::newRow("128") << 128 << QColor(224, 224, 223);
    QTest::newRow("255") << 255 << QColor(255, 255, 192);
}

void tst_monitor_windows::valueColours()
{
    QFETCH(int, value);
    QFETCH(QColor, colour);
    monitorRig m;
    QWidget parent;
    dmx_value_class c(0, true, &m.panel->valuePalettes, &parent);
    QCOMPARE(c.text(), QString());
    c.setDmxValue(uint8_t(value));
    QCOMPARE(c.text(), QString::number(value));
    QCOMPARE(c.palette().color(QPalette::Active, QPalette::Window), colour);
    QCOMPARE(c.palette().color(QPalette::Inactive, QPalette::Window), colour);
    QCOMPARE(c.palette().color(QPalette::Disabled, QPalette::Window), colour);
    QCOMPARE(c.shownValue, int16_t(value));
}

void tst_monitor_windows::valueGrid()
{
    monitorRig m;
    m.rig.sim->dmxInput = QByteArray(512, '\0');
    m.rig.sim->dmxInput[0] = char(11);
    m.rig.sim->dmxInput[511] = char(222);
    m.panel->shDmxInClicked();
    m.poll();
    pokaz* w = m.panel->dmxInWindow;
    QTableWidget* t = w->table;
    // Channel 1: row "0", column "+1"; channel 512: row "510", column "+2".
    QCOMPARE(t->verticalHeaderItem(0)->text(), QStringLiteral("0"));
    QCOMPARE(t->horizontalHeaderItem(0)->text(), QStringLiteral("+1"));
    QCOMPARE(cell(w, 0, 0)->channel, 0);
    QCOMPARE(cell(w, 0, 0)->text(), QStringLiteral("11"));
    QCOMPARE(t->verticalHeaderItem(51)->text(), QStringLiteral("510"));
    QCOMPARE(t->horizontalHeaderItem(1)->text(), QStringLiteral("+2"));
    QCOMPARE(cell(w, 51, 1)->channel, 511);
    QCOMPARE(cell(w, 51, 1)->text(), QStringLiteral("222"));
    QVERIFY(!cell(w, 51, 0)->isOutput);
    for (int c = 2; c < 10; ++c)
        QVERIFY(!t->cellWidget(51, c));
    QCOMPARE(t->horizontalHeaderItem(9)->text(), QStringLiteral("+10"));
    QCOMPARE(w->buffer.at(511), uint8_t(222));
}

void tst_monitor_windows::valueBuffersStartZeroed()
{
    monitorRig m;
    m.panel->shDmxOutClicked();
    m.panel->shDmxInClicked();
    for (pokaz* w : {m.panel->dmxOutWindow.data(), m.panel->dmxInWindow.data()}) {
        QCOMPARE(w->buffer, std::vector<uint8_t>(512, 0));
        // Drawn from the zeroed buffer at opening.
        QCOMPARE(cell(w, 51, 1)->text(), QStringLiteral("0"));
    }
    m.panel->shStatesClicked();
    QCOMPARE(m.panel->statesWindow->buffer, std::vector<uint8_t>(2426, 0));
}

void tst_monitor_windows::onlyChangedCellsRepaint()
{
    monitorRig m;
    m.rig.sim->output = QByteArray(512, char(40));
    m.panel->shDmxOutClicked();
    m.poll();
    pokaz* w = m.panel->dmxOutWindow;
    QVERIFY(QTest::qWaitForWindowExposed(w));
    paintCounter counter;
    for (QLabel* c : w->cells)
        c->installEventFilter(&counter);
    QTest::qWait(50);
    counter.painted.clear();

    m.rig.sim->output[3] = char(41);
    m.rig.sim->output[200] = char(255);
    m.poll();
    m.panel->updateStateTexts(MONITOR_FLAG_ALL);
    QTest::qWait(50);
    std::sort(counter.painted.begin(), counter.painted.end());
    counter.painted.erase(std::unique(counter.painted.begin(), counter.painted.end()), counter.painted.end());
    QCOMPARE(counter.painted, (QList<int>{3, 200}));
    QCOMPARE(cell(w, 0, 3)->text(), QStringLiteral("41"));
    QCOMPARE(cell(w, 20, 0)->text(), QStringLiteral("255"));
}

void tst_monitor_windows::hiddenOutputWindowStillTicks()
{
    monitorRig m;
    m.window.monitorHidden = true;
    m.panel->shDmxOutClicked();
    QVERIFY(m.panel->dmxOutWindow->keepHidden);
    QSignalSpy ticks(m.panel.get(), &ctrl_monitor::countTick);
    m.rig.sim->output = QByteArray(512, char(99));
    m.poll();
    m.poll();
    pokaz* w = m.panel->dmxOutWindow;
    QVERIFY(!w->isVisible());
    QCOMPARE(ticks.count(), 2);
    QCOMPARE(w->buffer.at(0), uint8_t(99));
    QCOMPARE(cell(w, 0, 0)->text(), QStringLiteral("99"));

    // Unhidden, the next read shows it.
    w->keepHidden = false;
    m.poll();
    QVERIFY(w->isVisible());

    // The input window never stays hidden.
    m.panel->shDmxInClicked();
    QVERIFY(!m.panel->dmxInWindow->keepHidden);
}

void tst_monitor_windows::valueToolTips_data()
{
    QTest::addColumn<bool>("output");
    QTest::addColumn<QString>("on");
    QTest::addColumn<QString>("off");
    QTest::addColumn<QString>("tip");
    QTest::newRow("output, Off only") << true << QString() << "Fog stop" << "Off: Fog stop";
    QTest::newRow("output, both") << true << "Fog" << "Fog stop" << "On: Fog\nOff: Fog stop";
    QTest::newRow("output, On only") << true << "Fog" << QString() << "On: Fog";
    QTest::newRow("output, none") << true << QString() << QString() << "no description...";
    QTest::newRow("input, both") << false << "Fader up" << "Fader down" << "On: Fader up\nOff: Fader down";
}

void tst_monitor_windows::valueToolTips()
{
    QFETCH(bool, output);
    QFETCH(QString, on);
    QFETCH(QString, off);
    QFETCH(QString, tip);
    monitorRig m;
    // Channel 13 (index 12) of each universe; the other universe's events
    // carry other texts that must not show.
    const int base = output ? EVENT_DMX_OUT : EVENT_DMX_IN;
    const int other = output ? EVENT_DMX_IN : EVENT_DMX_OUT;
    m.rig.controller->eventDescriptions[size_t(base + 24)] = on;
    m.rig.controller->eventDescriptions[size_t(base + 25)] = off;
    m.rig.controller->eventDescriptions[size_t(other + 24)] = QStringLiteral("wrong");
    m.rig.controller->eventDescriptions[size_t(other + 25)] = QStringLiteral("wrong");
    output ? m.panel->shDmxOutClicked() : m.panel->shDmxInClicked();
    m.poll();
    pokaz* w = output ? m.panel->dmxOutWindow : m.panel->dmxInWindow;
    dmx_value_class* c = cell(w, 1, 2);
    QCOMPARE(c->descriptionText(), tip);
    QTest::mousePress(c, Qt::LeftButton);
    QTRY_COMPARE(QToolTip::text(), tip);
    QTest::mouseRelease(c, Qt::LeftButton);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void tst_monitor_windows::outputWindowGoing()
{
    monitorRig m;
    m.panel->shDmxOutClicked();
    m.panel->shDmxInClicked();
    m.poll();
    QPointer<pokaz> output = m.panel->dmxOutWindow.data();
    QPointer<pokaz> input = m.panel->dmxInWindow.data();
    QSignalSpy closedPlain(output.data(), qOverload<>(&pokaz::closed));
    QSignalSpy closedFlag(output.data(), qOverload<bool>(&pokaz::closed));
    // The live visualisation shows the output values straight from the window.
    m.project.dmxBuffer = output->buffer.data() + 7;

    m.panel->shDmxInClicked();
    monitorRig::settle();
    QVERIFY(input.isNull());
    QVERIFY(m.window.sceneTransparency.isEmpty());
    QCOMPARE(m.project.dmxBuffer, output->buffer.data() + 7);

    m.panel->stopShDmxOut();
    QVERIFY(output);  // deleted once the events are served
    monitorRig::settle();
    QVERIFY(output.isNull());
    QCOMPARE(closedFlag.count(), 1);
    QCOMPARE(closedFlag.at(0).at(0).toBool(), false);
    QCOMPARE(closedPlain.count(), 1);
    QCOMPARE(m.window.sceneTransparency, QList<bool>{false});
    QCOMPARE(m.project.dmxBuffer, nullptr);

    // A buffer of the visualisation's own stays.
    uint8_t own[512] = {};
    m.project.dmxBuffer = own;
    m.panel->shDmxOutClicked();
    m.panel->closeMonitors(MONITOR_FLAG_DMX_OUT);
    monitorRig::settle();
    QCOMPARE(m.project.dmxBuffer, own);
    QCOMPARE(m.window.sceneTransparency, (QList<bool>{false, false}));
}

QTEST_MAIN(tst_monitor_windows)
#include "tst_monitor_windows.moc"
