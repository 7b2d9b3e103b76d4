// The light-control dialog on the running program: the rows a fixture's
// library item gives, what moving a row writes and to whom it is told
// (record, plan, scene editor, controller), the colour dialog, the dialog
// without rows, and the modes in which no dialog opens.

#include "plan_rig.h"

#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/v_project.h"
#include "simulator/sim_controller.h"
#include "transport/protocol.h"
#include "widgets/page_style.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QSpinBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTranslator>

using planRig::controlDialogs;
using planRig::fixture;

namespace {

// Fixtures: 1 and 2 of item "M" (RGB and dimmer) at DMX 10 and 20, 3 the
// two-channel dimmer at 30, 4 nothing to control at 40, 5 red and green at
// 50, 6 the described item at 60, 7 the two-channel dimmer at 512, 8 the
// odd item at 100. Group "Range_1" holds 2 and 1.
QByteArray projectText()
{
    return planRig::project({{1, 1, 10}, {2, 1, 20}, {3, 2, 30}, {4, 3, 40}, {5, 4, 50}, {6, 6, 60}, {7, 2, 512}, {8, 7, 100}},
                            {}, {{"Range_1", {2, 1}}});
}

// Asks for the translation of "en" as a Polish catalogue gives it.
class polishLanguage final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) == "ctrlEffects" && QByteArray(source) == "en")
            return QStringLiteral("pl");
        return QString();
    }
};

}  // namespace

class tst_light_control : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void rowsOfAFixture_data();
    void rowsOfAFixture();
    void aDescriptionInTheUiLanguage();
    void aRowWritesTheShownScene_data();
    void aRowWritesTheShownScene();
    void liveDesignSendsEveryValue();
    void enterTakesTheValueTyped_data();
    void enterTakesTheValueTyped();
    void tabWalksTheRows();
    void aTwoChannelRowStoresWhatItShows();
    void channelsBeyondTheUniverseAreSkipped();
    void oddLibraryChannels();
    void aGroupDialogDrivesEveryMember();
    void anOpenDialogIsRaised();
    void noDialogWithoutAScene_data();
    void noDialogWithoutAScene();
    void theColourDialog_data();
    void theColourDialog();
    void aCompoundPictureIsNotPlayedLive();
    void aDialogWithoutRowsClosesByItself();
    void closingLeavesTheList();

private:
    kvVGraph_class* openOffline(int scene);
    ctrlEffects* openFor(int number);
    uint8_t* scene(int s) const
    {
        return reinterpret_cast<uint8_t*>(r->c->configImage) + img::sceneChannelsOf(s);
    }

    std::unique_ptr<visualRig> r;
    kvVGraph_class* g = nullptr;
};

void tst_light_control::init()
{
    r = std::make_unique<visualRig>();
    planRig::read(*r, planRig::library(), projectText());
    QCOMPARE(r->vp->fixtures.size(), 8);
}

void tst_light_control::cleanup()
{
    g = nullptr;
    r.reset();
}

kvVGraph_class* tst_light_control::openOffline(int sceneNumber)
{
    g = r->openShow();
    if (!g)
        return nullptr;
    r->vp->sceneNumber = sceneNumber;
    r->vp->programNumber = -1;
    g->actOffline->trigger();
    return g->lightMode == LIGHT_MODE_OFFLINE ? g : nullptr;
}

ctrlEffects* tst_light_control::openFor(int number)
{
    const int before = int(r->vp->controlDialogs.size());
    g->designFxt(fixture(*r, number));
    const QList<ctrlEffects*> open = controlDialogs(*r);
    return open.size() == before + 1 ? open.last() : nullptr;
}

// The rows, labels, colour buttons and size the library item gives.
void tst_light_control::rowsOfAFixture_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<bool>("colourButtons");
    QTest::addColumn<QString>("title");

    QTest::newRow("RGB and dimmer")
        << 1
        << QStringList{"Channel 1: brightness:red", "Channel 2: brightness:green", "Channel 3: brightness:blue",
                       "Channel 4: "}
        << QList<int>{11, 22, 33, 44} << true << "Fixture 1: Light control: P: M";
    QTest::newRow("two channels") << 3 << QStringList{"Channel 1:2 : "} << QList<int>{0x1234} << false
                                  << "Fixture 3: Light control: P: Spot";
    QTest::newRow("red and green only")
        << 5 << QStringList{"Channel 1: brightness:red", "Channel 2: brightness:green"} << QList<int>{0, 0} << false
        << "Fixture 5: Light control: P: RG";
}

void tst_light_control::rowsOfAFixture()
{
    QFETCH(int, number);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, values);
    QFETCH(bool, colourButtons);
    QFETCH(QString, title);

    uint8_t* s5 = scene(5);
    s5[9] = 11, s5[10] = 22, s5[11] = 33, s5[12] = 44;
    s5[29] = 0x34, s5[30] = 0x12;
    QVERIFY(openOffline(5));
    ctrlEffects* d = openFor(number);
    QVERIFY(d);
    QVERIFY(d->isVisible());
    QVERIFY(!d->noChannels);
    QCOMPARE(d->rowCount(), labels.size());
    QCOMPARE(d->twChnls->rowCount(), labels.size());
    for (int i = 0; i < labels.size(); ++i) {
        const designChnls* row = d->row(i);
        QCOMPARE(row->lbChannel->text(), labels.at(i));
        QCOMPARE(row->sbValue->value(), values.at(i));
        QCOMPARE(row->hsSlider->value(), values.at(i));
        QCOMPARE(row->pbColors->isVisibleTo(d), colourButtons && i < 3);
    }
    QCOMPARE(d->size(), QSize(312, int(labels.size()) * 50 + 36));
    QCOMPARE(d->windowTitle(), title);
    QCOMPARE(d->lbListaFx->text(), QStringLiteral("Fixtures: %1 (%2)").arg(number).arg(10 * number));
    // The dialog sits in the bottom-right corner of the plan.
    const QPoint corner = g->centralwidget->mapToGlobal(QPoint(g->centralwidget->width(), g->centralwidget->height()));
    QCOMPARE(d->pos() + QPoint(d->width(), d->height()), corner);
    // Four rows make the dialog 312 x 236.
    if (labels.size() == 4)
        QCOMPARE(d->size(), QSize(312, 236));
}

void tst_light_control::aDescriptionInTheUiLanguage()
{
    QVERIFY(openOffline(0));
    ctrlEffects* d = openFor(6);
    QVERIFY(d);
    QCOMPARE(d->row(0)->lbChannel->text(), QStringLiteral("Channel 1: Red LED"));
    QCOMPARE(d->row(1)->lbChannel->text(), QStringLiteral("Channel 2: brightness:green"));
    d->close();
    r->settle();

    polishLanguage polish;
    QCoreApplication::installTranslator(&polish);
    ctrlEffects* translated = openFor(6);
    QCoreApplication::removeTranslator(&polish);
    QVERIFY(translated);
    QCOMPARE(translated->row(0)->lbChannel->text(), QStringLiteral("Channel 1: Czerwona dioda"));
}

// Red to 200 offline on scene 5: the byte of scene 5, the plan, and the
// scene editor only when its faders show that channel of that scene.
void tst_light_control::aRowWritesTheShownScene_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("record");
    QTest::addColumn<int>("firstFader");
    QTest::addColumn<bool>("refreshed");

    QTest::newRow("channel 9 the last fader") << 0 << 5 << 0 << true;
    QTest::newRow("channel 9 the first fader") << 0 << 5 << 9 << true;
    QTest::newRow("faders beyond channel 9") << 0 << 5 << 10 << false;
    QTest::newRow("another scene") << 0 << 4 << 0 << false;
    QTest::newRow("another tool tab") << 1 << 5 << 0 << false;
}

void tst_light_control::aRowWritesTheShownScene()
{
    QFETCH(int, tab);
    QFETCH(int, record);
    QFETCH(int, firstFader);
    QFETCH(bool, refreshed);

    ascene_settings_widget* editor = r->w->sceneEditor;
    scene(5)[12] = 255;  // the dimmer
    QVERIFY(openOffline(5));
    ctrlEffects* d = openFor(1);
    QVERIFY(d);
    editor->toolTabs->setCurrentIndex(tab);
    editor->sliderBank->recordNumber = record;
    editor->sliderBank->firstChannel = firstFader;
    QSignalSpy refresh(d, &ctrlEffects::sceneRefresh);
    QSignalSpy compound(d, &ctrlEffects::aSceneRefresh);
    QSignalSpy live(d, &ctrlEffects::liveNewValue);

    d->row(0)->hsSlider->setValue(200);
    QCOMPARE(int(r->c->configImage[0x80000 + 512 * 5 + 9]), 200);
    QCOMPARE(int(scene(5)[10]), 0);
    QCOMPARE(d->row(0)->sbValue->value(), 200);
    QCOMPARE(fixture(*r, 1)->lightColor, QColor(200, 0, 0));
    QCOMPARE(refresh.size(), refreshed ? 1 : 0);
    QCOMPARE(compound.size(), 0);
    QCOMPARE(live.size(), 0);
    // The controller is not in live editing: nothing reaches it.
    QVERIFY(r->s.rig->sim->log.isEmpty());
}

void tst_light_control::liveDesignSendsEveryValue()
{
    QVERIFY(r->s.rig->connect());
    g = r->openShow();
    r->vp->sceneNumber = 5;
    g->actLiveDesign->trigger();
    QCOMPARE(g->lightMode, int(LIGHT_MODE_LIVE_DESIGN));
    ctrlEffects* d = openFor(1);
    QVERIFY(d);
    QSignalSpy live(d, &ctrlEffects::liveNewValue);
    const int before = r->s.rig->sim->countOf(SET_LIVE_VALUE);

    d->row(0)->sbValue->setValue(200);
    QCOMPARE(live.size(), 1);
    QCOMPARE(live.at(0), (QList<QVariant>{5, 9}));
    QCOMPARE(r->s.rig->sim->countOf(SET_LIVE_VALUE), before + 1);
    QCOMPARE(int(uint8_t(r->s.rig->sim->output.at(9))), 200);
    QCOMPARE(int(scene(5)[9]), 200);
}

// A number typed into a value box and Enter: the value is written and the
// dialog stays open for the next one; no button of the dialog goes off.
void tst_light_control::enterTakesTheValueTyped_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter of the keypad") << int(Qt::Key_Enter);
}

void tst_light_control::enterTakesTheValueTyped()
{
    QFETCH(int, key);
    scene(5)[12] = 255;  // the dimmer
    QVERIFY(openOffline(5));
    QPointer<ctrlEffects> d = openFor(1);
    QVERIFY(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    QSpinBox* red = d->row(0)->sbValue;
    red->setFocus();

    QTest::keyClick(red, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(red, QStringLiteral("200"));
    QTest::keyClick(red, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    r->settle();
    QVERIFY(d);
    QVERIFY(d->isVisible());
    QCOMPARE(controlDialogs(*r), QList<ctrlEffects*>{d.data()});
    QCOMPARE(int(scene(5)[9]), 200);
    QCOMPARE(d->row(0)->hsSlider->value(), 200);
    QCOMPARE(fixture(*r, 1)->lightColor, QColor(200, 0, 0));
    QCOMPARE(QApplication::focusWidget(), red);
}

// Tab goes from a row's value box to the next row's, past the slider and
// the colour button, and after the last row on to the colour button.
void tst_light_control::tabWalksTheRows()
{
    QVERIFY(openOffline(5));
    ctrlEffects* d = openFor(1);
    QVERIFY(d);
    QVERIFY(QTest::qWaitForWindowActive(d));
    QCOMPARE(d->rowCount(), 4);
    // The dialog opens in the first row's box.
    for (int i = 0; i < d->rowCount(); ++i) {
        QSpinBox* box = d->row(i)->sbValue;
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QString::number(10 + i));
        QTest::keyClick(box, Qt::Key_Tab);
        // Leaving the box takes the value typed too.
        QCOMPARE(int(scene(5)[9 + i]), 10 + i);
    }
    QCOMPARE(QApplication::focusWidget(), d->row(0)->pbColors);
    QTest::keyClick(d->row(0)->pbColors, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), d->row(3)->sbValue);
    QTest::keyClick(d->row(3)->sbValue, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), d->row(2)->sbValue);
}

// 0x34 and 0x12 show 4660; what the row then shows is stored, low byte in
// the main channel, high byte in the second.
void tst_light_control::aTwoChannelRowStoresWhatItShows()
{
    scene(2)[29] = 0x34;
    scene(2)[30] = 0x12;
    QVERIFY(openOffline(2));
    ctrlEffects* d = openFor(3);
    QVERIFY(d);
    designChnls* row = d->row(0);
    QCOMPARE(row->sbValue->value(), 4660);
    QCOMPARE(row->sbValue->maximum(), 65535);
    QCOMPARE(row->hsSlider->maximum(), 65535);
    QCOMPARE(row->fxChannel, int16_t(0));
    QCOMPARE(row->fxChannel2, int16_t(1));

    row->hsSlider->setValue(0xABCD);
    QCOMPARE(row->sbValue->value(), 0xABCD);
    QCOMPARE(int(scene(2)[29]), 0xCD);
    QCOMPARE(int(scene(2)[30]), 0xAB);
    d->close();
    r->settle();
    ctrlEffects* again = openFor(3);
    QVERIFY(again);
    QCOMPARE(again->row(0)->sbValue->value(), 0xABCD);
}

// Fixture 7, the two-channel dimmer at DMX 512: its second channel would be
// channel 512 (0-based), the first byte of the next scene.
void tst_light_control::channelsBeyondTheUniverseAreSkipped()
{
    scene(3)[511] = 7;
    scene(4)[0] = 99;
    QVERIFY(openOffline(3));
    ctrlEffects* d = openFor(7);
    QVERIFY(d);
    QCOMPARE(d->rowCount(), 1);
    QCOMPARE(d->row(0)->sbValue->value(), 7);

    d->row(0)->sbValue->setValue(0x1234);
    QCOMPARE(int(scene(3)[511]), 0x34);
    QCOMPARE(int(scene(4)[0]), 99);
}

// Channel numbers below 1 or beyond the fixture and second channels that
// are no number or lie far outside give no row, or a row that stays inside
// the record.
void tst_light_control::oddLibraryChannels()
{
    uint8_t* s = scene(6);
    s[99] = 5;
    s[100] = 6;
    QVERIFY(openOffline(6));
    ctrlEffects* d = openFor(8);
    QVERIFY(d);
    QCOMPARE(d->rowCount(), 2);
    QCOMPARE(d->row(0)->lbChannel->text(), QStringLiteral("Channel 1:99999 : "));
    QCOMPARE(d->row(0)->sbValue->value(), 5);
    QCOMPARE(d->row(1)->lbChannel->text(), QStringLiteral("Channel 2: brightness:red"));
    QCOMPARE(d->row(1)->fxChannel2, int16_t(-1));
    QCOMPARE(d->row(1)->sbValue->maximum(), 255);

    const QByteArray before(reinterpret_cast<const char*>(r->c->configImage), int(img::sceneChannelsOf(img::SCENES)));
    d->row(0)->sbValue->setValue(0x1234);
    d->row(1)->sbValue->setValue(77);
    QByteArray after(reinterpret_cast<const char*>(r->c->configImage), int(img::sceneChannelsOf(img::SCENES)));
    QCOMPARE(int(uint8_t(after.at(img::sceneChannelsOf(6) + 99))), 0x34);
    QCOMPARE(int(uint8_t(after.at(img::sceneChannelsOf(6) + 100))), 77);
    after[img::sceneChannelsOf(6) + 99] = 5;
    after[img::sceneChannelsOf(6) + 100] = 6;
    QVERIFY(after == before);
}

void tst_light_control::aGroupDialogDrivesEveryMember()
{
    QVERIFY(openOffline(1));
    efGroup* range = r->vp->groups.at(0);
    g->controlByGroup(range);
    const QList<ctrlEffects*> open = controlDialogs(*r);
    QCOMPARE(open.size(), 1);
    ctrlEffects* d = open.first();
    QCOMPARE(d->objectName(), QStringLiteral("2 (20),1 (10)"));
    QCOMPARE(d->windowTitle(),
             pageStyle::elided(QStringLiteral("Range_1:RGB-D-------: Light control: P: M"), d->font(), 225));
    QCOMPARE(d->lbListaFx->text(), pageStyle::elided(QStringLiteral("Fixtures: 2 (20),1 (10)"), d->font(), 225));

    d->row(3)->sbValue->setValue(77);
    QCOMPARE(int(scene(1)[12]), 77);
    QCOMPARE(int(scene(1)[22]), 77);
}

void tst_light_control::anOpenDialogIsRaised()
{
    QVERIFY(openOffline(0));
    ctrlEffects* d = openFor(1);
    QVERIFY(d);
    g->designFxt(fixture(*r, 1));
    QCOMPARE(controlDialogs(*r), QList<ctrlEffects*>{d});
    QVERIFY(d->isVisible());
    // Another fixture gets its own.
    QVERIFY(openFor(2));
    QCOMPARE(r->vp->controlDialogs.size(), 2);
}

// One fixture is driven offline and in live design; a group also in a
// compound picture; nothing in the modes that show no record.
void tst_light_control::noDialogWithoutAScene_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("oneFixture");
    QTest::addColumn<bool>("group");

    QTest::newRow("all on") << "all on" << false << false;
    QTest::newRow("all off") << "all off" << false << false;
    QTest::newRow("live show") << "live show" << false << false;
    QTest::newRow("compound") << "compound" << false << true;
    QTest::newRow("design") << "design" << false << false;
    QTest::newRow("offline") << "offline" << true << true;
}

void tst_light_control::noDialogWithoutAScene()
{
    QFETCH(QString, mode);
    QFETCH(bool, oneFixture);
    QFETCH(bool, group);

    QVERIFY(r->s.rig->connect());
    g = r->openShow();
    r->vp->sceneNumber = 3;
    g->actOffline->trigger();
    if (mode == QLatin1String("all on"))
        g->actAllOn->trigger();
    else if (mode == QLatin1String("all off"))
        g->actAllOff->trigger();
    else if (mode == QLatin1String("live show"))
        g->actLive->trigger();
    else if (mode == QLatin1String("compound"))
        g->actCompound->trigger();
    else if (mode == QLatin1String("design"))
        g->actionSwitch_mode->trigger();
    g = r->graph();
    QVERIFY(g);

    g->designFxt(fixture(*r, 1));
    QCOMPARE(r->vp->controlDialogs.size(), oneFixture ? 1 : 0);
    while (!r->vp->controlDialogs.isEmpty())
        r->vp->controlDialogs.first()->close();
    g->controlByGroup(r->vp->groups.at(0));
    QCOMPARE(r->vp->controlDialogs.size(), group ? 1 : 0);
    QVERIFY(r->s.rec.entries.isEmpty());
}

void tst_light_control::theColourDialog_data()
{
    QTest::addColumn<QColor>("answer");
    QTest::addColumn<QList<int>>("levels");

    QTest::newRow("chosen") << QColor(10, 20, 30) << QList<int>{10, 20, 30};
    QTest::newRow("cancelled") << QColor() << QList<int>{1, 2, 3};
}

void tst_light_control::theColourDialog()
{
    QFETCH(QColor, answer);
    QFETCH(QList<int>, levels);

    uint8_t* s = scene(8);
    s[9] = 1, s[10] = 2, s[11] = 3;
    QVERIFY(openOffline(8));
    ctrlEffects* d = openFor(1);
    QVERIFY(d);
    r->s.rec.answerColor(answer);
    QTest::mouseClick(d->row(1)->pbColors, Qt::LeftButton);
    QCOMPARE(r->s.rec.entries.size(), 1);
    QCOMPARE(r->s.rec.entries.at(0).kind, QStringLiteral("color"));
    QCOMPARE(r->s.rec.entries.at(0).parent, d);
    for (int c = 0; c < 3; ++c) {
        QCOMPARE(d->row(c)->sbValue->value(), levels.at(c));
        QCOMPARE(int(s[9 + c]), levels.at(c));
    }
    QCOMPARE(int(s[12]), 0);
}

// Live editing goes on while the window shows a compound picture: moving a
// row changes the picture and the compound editor, and sends nothing.
void tst_light_control::aCompoundPictureIsNotPlayedLive()
{
    QVERIFY(r->s.rig->connect());
    g = r->openShow();
    r->vp->sceneNumber = 5;
    g->actLiveDesign->trigger();
    QCOMPARE(r->c->uiMode, 2);
    r->vp->sceneNumber = FIRST_COMPOUND_SCENE + 3;
    g->actCompound->trigger();
    QCOMPARE(g->lightMode, int(LIGHT_MODE_COMPOUND));
    r->w->tabWidget_actives->setCurrentIndex(1);
    r->w->activeSceneEditor->sliders->recordNumber = 3;
    r->w->activeSceneEditor->sliders->firstChannel = 5;
    g->controlByGroup(r->vp->groups.at(0));
    ctrlEffects* d = controlDialogs(*r).value(0);
    QVERIFY(d);
    QSignalSpy compound(d, &ctrlEffects::aSceneRefresh);
    QSignalSpy refresh(d, &ctrlEffects::sceneRefresh);
    const int sent = int(r->s.rig->sim->log.size());
    const QByteArray scene5(reinterpret_cast<const char*>(scene(5)), 512);

    d->row(0)->sbValue->setValue(90);
    QCOMPARE(int(r->c->compoundScenes[1][1][9]), 90);
    QCOMPARE(int(r->c->compoundScenes[1][1][19]), 90);
    QCOMPARE(compound.size(), 1);
    QCOMPARE(refresh.size(), 0);
    QCOMPARE(r->s.rig->sim->log.size(), sent);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(scene(5)), 512), scene5);
}

void tst_light_control::aDialogWithoutRowsClosesByItself()
{
    QVERIFY(openOffline(0));
    const qint64 slept = r->s.clock.slept;
    QPointer<ctrlEffects> d = new ctrlEffects(fixture(*r, 4), g);
    QVERIFY(d->noChannels);
    QCOMPARE(d->windowTitle(), QStringLiteral("No light control channels!"));
    QVERIFY(!d->twChnls->isVisibleTo(d));
    QVERIFY(r->vp->controlDialogs.isEmpty());
    delete d;

    g->designFxt(fixture(*r, 4));
    QCOMPARE(r->s.clock.slept - slept, 1500);
    QVERIFY(r->vp->controlDialogs.isEmpty());
    r->settle();
    QVERIFY(g->findChildren<ctrlEffects*>().isEmpty());
}

void tst_light_control::closingLeavesTheList()
{
    QVERIFY(openOffline(0));
    QPointer<ctrlEffects> d = openFor(1);
    QVERIFY(d);
    QTest::mousePress(d->pbQuit, Qt::LeftButton);
    QVERIFY(r->vp->controlDialogs.isEmpty());
    r->settle();
    QVERIFY(!d);

    // The window takes its dialogs with it.
    d = openFor(2);
    QVERIFY(d);
    g->close();
    r->settle();
    QVERIFY(!d);
    QVERIFY(r->vp->controlDialogs.isEmpty());
}

QTEST_MAIN(tst_light_control)
#include "tst_light_control.moc"
