// The pointer and the keys of the plan in the running program: dragging a
// fixture to its new place, the context menus, details and selection by
// pointer, the groups a right click with Alt controls, and the keys that
// redraw, step through scenes and program steps and copy a scene.

#include "fixture_rig.h"

#include "fixtures/light_class.h"
#include "model/config_image.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include <cstring>

namespace {

// Sends a pointer event to the window as Qt delivers it there.
void mouse(kvVGraph_class* g, QEvent::Type type, const QPoint& at, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(g->mapToGlobal(at)), button, held, modifiers);
    switch (type) {
    case QEvent::MouseButtonPress: g->mousePressEvent(&event); break;
    case QEvent::MouseButtonRelease: g->mouseReleaseEvent(&event); break;
    case QEvent::MouseButtonDblClick: g->mouseDoubleClickEvent(&event); break;
    default: g->mouseMoveEvent(&event); break;
    }
}

void key(kvVGraph_class* g, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, code, modifiers);
    g->keyPressEvent(&event);
}

// The window point over the middle of an item of the plan.
QPoint windowPoint(const kvVGraph_class* g, const QWidget* item)
{
    return item->geometry().center() - QPoint(g->hScroll, g->vScroll) + QPoint(0, g->menubar->height());
}

}  // namespace

class tst_plan_pointer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void dropStoresTheFieldPosition_data();
    void dropStoresTheFieldPosition();
    void moveShowsTheFieldPosition();
    void rightPressMenus();
    void leftPressOnABeam();
    void doubleClickKeepsTheSelectionWhole_data();
    void doubleClickKeepsTheSelectionWhole();
    void groupsOfAnAltRightClick();
    void f5LaysTheFixturesOutAgain();
    void plusAndMinus_data();
    void plusAndMinus();
    void ctrlCopiesTheSceneOntoItsNeighbour_data();
    void ctrlCopiesTheSceneOntoItsNeighbour();

private:
    void toShow();

    std::unique_ptr<fixtureRig> rig;
    kvVGraph_class* g = nullptr;
};

void tst_plan_pointer::init()
{
    rig = std::make_unique<fixtureRig>();
    g = rig->g;
}

void tst_plan_pointer::cleanup()
{
    g = nullptr;
    rig.reset();
}

void tst_plan_pointer::toShow()
{
    g->actionSwitch_mode->trigger();
    QVERIFY(!g->designMode);
}

void tst_plan_pointer::dropStoresTheFieldPosition_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPoint>("release");  // below the menu bar
    QTest::addColumn<QPoint>("field");
    QTest::newRow("scale 4") << 1.0 << 4.0 << QPoint(0, 0) << QPoint(100, 40) << QPoint(400, 160);
    QTest::newRow("zoom 2, scrolled 30") << 2.0 << 4.0 << QPoint(30, 0) << QPoint(100, 40) << QPoint(260, 80);
    QTest::newRow("truncated, not rounded") << 3.0 << 1.0 << QPoint(0, 0) << QPoint(101, 101) << QPoint(33, 33);
    QTest::newRow("above and left of the image") << 1.0 << 4.0 << QPoint(0, 0) << QPoint(-30, -25) << QPoint(0, 0);
    QTest::newRow("left of the image, scrolled") << 1.0 << 1.0 << QPoint(20, 10) << QPoint(-50, 60)
                                                 << QPoint(0, 70);
}

void tst_plan_pointer::dropStoresTheFieldPosition()
{
    QFETCH(double, zoom);
    QFETCH(double, scale);
    QFETCH(QPoint, scroll);
    QFETCH(QPoint, release);
    lightEffect* f = rig->fixture(2);
    const QPoint press = windowPoint(g, f);
    g->zoom = zoom;
    g->scale = scale;
    g->hScroll = scroll.x();
    g->vScroll = scroll.y();
    rig->r.vp->modified = false;

    mouse(g, QEvent::MouseButtonPress, press + QPoint(-scroll.x(), -scroll.y()), Qt::LeftButton);
    QCOMPARE(g->dragFixture, f);
    QVERIFY(!g->pointedFixture);
    const QPoint at = release + QPoint(0, g->menubar->height());
    mouse(g, QEvent::MouseMove, at, Qt::LeftButton);
    QCOMPARE(f->pos(), release + scroll - QPoint(10, 10));
    mouse(g, QEvent::MouseButtonRelease, at, Qt::LeftButton);

    QVERIFY(!g->dragFixture);
    QTEST(QPoint(f->posX, f->posY), "field");
    const xml_node* geometry = f->deviceNode->findNode(QStringLiteral("geometry"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("x")), QString::number(f->posX));
    QCOMPARE(*geometry->elementValue(QStringLiteral("y")), QString::number(f->posY));
    QVERIFY(rig->r.vp->modified);
    // Stored at the field's edge, the fixture stays defined when read again.
    QVERIFY(f->posX >= 0 && f->posY >= 0);
}

void tst_plan_pointer::moveShowsTheFieldPosition()
{
    g->zoom = 1;
    g->scale = 4;
    g->zoomText = QStringLiteral("( 100% )");
    mouse(g, QEvent::MouseMove, QPoint(100, 40 + g->menubar->height()), Qt::NoButton);
    QCOMPARE(g->positionLabel->text(), QStringLiteral(" 400 X 160 ( 100% )"));
    // Releasing without a drag stores nothing.
    rig->r.vp->modified = false;
    mouse(g, QEvent::MouseButtonRelease, QPoint(100, 40 + g->menubar->height()), Qt::LeftButton);
    QVERIFY(!rig->r.vp->modified);
}

void tst_plan_pointer::rightPressMenus()
{
    lightEffect* f = rig->fixture(4);
    const QPoint onIcon = windowPoint(g, f);
    mouse(g, QEvent::MouseButtonPress, onIcon, Qt::RightButton);
    QCOMPARE(g->pointedFixture, f);
    QCOMPARE(QPoint(g->pressX, g->pressY), onIcon);
    QVERIFY(g->fixtureMenu->isVisible());
    QVERIFY(!g->fieldMenu->isVisible());
    g->fixtureMenu->hide();

    // The empty field: paste is offered only with something to paste.
    const QPoint onField(g->imageLabel->width() - 5, g->menubar->height() + g->imageLabel->height() - 5);
    QVERIFY(!g->imageLabel->childAt(g->imagePosition(onField)));
    for (lightEffect* clipboard : {static_cast<lightEffect*>(nullptr), f}) {
        g->clipboardFixture = clipboard;
        mouse(g, QEvent::MouseButtonPress, onField, Qt::RightButton);
        QVERIFY(!g->pointedFixture);
        QCOMPARE(QPoint(g->pressX, g->pressY), onField);
        QVERIFY(g->fieldMenu->isVisible());
        QCOMPARE(g->actPasteFixture->isEnabled(), clipboard != nullptr);
        g->fieldMenu->hide();
    }
    QVERIFY(rig->r.s.rec.entries.isEmpty());
}

void tst_plan_pointer::leftPressOnABeam()
{
    toShow();
    lightEffect* f = rig->fixture(1);
    const QPoint onBeam = windowPoint(g, f->beam);
    QCOMPARE(g->fixtureAt(onBeam), f);

    mouse(g, QEvent::MouseButtonPress, onBeam, Qt::LeftButton);
    QCOMPARE(g->pointedFixture, f);
    QVERIFY(!g->dragFixture);
    QCOMPARE(rig->r.s.rec.titles(), QStringList({"About this fixture..."}));

    // With Ctrl: the fixture's selection turns, in both forms, and its cross shows it.
    QVERIFY(!f->selected);
    mouse(g, QEvent::MouseButtonPress, onBeam, Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(f->selected);
    QVERIFY(rig->r.vp->defaultGroup.members.contains(f));
    QVERIFY(f->cross->isVisibleTo(g->imageLabel));
    mouse(g, QEvent::MouseButtonPress, onBeam, Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(!f->selected);
    QVERIFY(!rig->r.vp->defaultGroup.members.contains(f));
    QCOMPARE(rig->r.s.rec.entries.size(), 1);

    // Nothing under the pointer: nothing pointed at.
    mouse(g, QEvent::MouseButtonPress, QPoint(g->imageLabel->width() - 3, g->menubar->height() + 3), Qt::LeftButton);
    QVERIFY(!g->pointedFixture);
}

void tst_plan_pointer::doubleClickKeepsTheSelectionWhole_data()
{
    QTest::addColumn<bool>("design");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("selectedAfter");
    QTest::newRow("not selected") << true << false << false << true;
    QTest::newRow("selected") << true << true << true << false;
    QTest::newRow("selected, not listed") << true << true << false << false;
    QTest::newRow("listed, not selected") << true << false << true << true;
    QTest::newRow("in show") << false << false << false << false;
}

void tst_plan_pointer::doubleClickKeepsTheSelectionWhole()
{
    QFETCH(bool, design);
    QFETCH(bool, selected);
    QFETCH(bool, listed);
    QFETCH(bool, selectedAfter);
    lightEffect* f = rig->fixture(2);
    const QPoint onIcon = windowPoint(g, f);
    if (!design)
        toShow();
    f->selected = selected;
    rig->r.vp->defaultGroup.members = listed ? QList<lightEffect*>{rig->fixture(1), f} : QList<lightEffect*>{rig->fixture(1)};
    rig->r.vp->modified = false;

    mouse(g, QEvent::MouseButtonDblClick, onIcon, Qt::LeftButton);

    QCOMPARE(f->selected, selectedAfter);
    QCOMPARE(rig->r.vp->defaultGroup.members.count(f), selectedAfter ? 1 : 0);
    QCOMPARE(rig->r.vp->defaultGroup.members.first(), rig->fixture(1));
    QCOMPARE(rig->r.vp->modified, design);
}

void tst_plan_pointer::groupsOfAnAltRightClick()
{
    toShow();
    v_project* vp = rig->r.vp;
    lightEffect* one = rig->fixture(1);
    lightEffect* two = rig->fixture(2);
    lightEffect* four = rig->fixture(4);
    four->chnlCodes = QStringLiteral("----D-------");
    auto* front = new efGroup(QStringLiteral("front"));
    front->members = {two, four, one};
    auto* back = new efGroup(QStringLiteral("back"));
    back->members = {two};
    auto* dimmers = new efGroup(QStringLiteral("dimmers"));
    dimmers->members = {four};
    vp->groups << front << back << dimmers;

    const auto groups = [this](const lightEffect* f) {
        QStringList out;
        for (const auto& group : g->controlGroupsOf(f))
            out << group->name + QLatin1Char(':') + QString::number(group->members.size()) + QLatin1Char(':')
                       + QString::number(group->members.first()->number);
        return out;
    };
    // Per group the members with the fixture's functions, in member order.
    QCOMPARE(groups(one), QStringList({"front:2:2"}));
    QCOMPARE(groups(four), QStringList({"front:1:4", "dimmers:1:4"}));
    // Selected: the selection's like fixtures too.
    one->selected = true;
    two->selected = true;
    four->selected = true;
    QCOMPARE(groups(one), QStringList({"front:2:2", "selected:2:1"}));
    // In no group and not selected: nothing to control.
    one->selected = false;
    vp->groups.removeOne(front);
    delete front;
    QVERIFY(groups(one).isEmpty());

    // The right click on a beam opens nothing else in the window.
    mouse(g, QEvent::MouseButtonPress, windowPoint(g, one->beam), Qt::RightButton, Qt::AltModifier);
    QVERIFY(!g->fixtureMenu->isVisible());
    QVERIFY(rig->r.s.rec.entries.isEmpty());

    // Only a scene shown offline has values to set: then the click opens
    // the light control of the fixture's group, once. (A selected fixture's
    // cross covers its beam.)
    g->deselectAll();
    const QPoint twoBeam = windowPoint(g, two->beam);
    if (g->lightMode == LIGHT_MODE_OFFLINE)
        g->actAllOn->trigger();
    mouse(g, QEvent::MouseButtonPress, twoBeam, Qt::RightButton, Qt::AltModifier);
    QVERIFY(vp->controlDialogs.isEmpty());
    g->actOffline->trigger();
    QCOMPARE(g->lightMode, LIGHT_MODE_OFFLINE);
    mouse(g, QEvent::MouseButtonPress, twoBeam, Qt::RightButton, Qt::AltModifier);
    mouse(g, QEvent::MouseButtonPress, twoBeam, Qt::RightButton, Qt::AltModifier);
    QCOMPARE(vp->controlDialogs.size(), 1);
    QVERIFY(vp->controlDialogs.first()->windowTitle().startsWith(QLatin1String("back:")));
}

void tst_plan_pointer::f5LaysTheFixturesOutAgain()
{
    lightEffect* f = rig->fixture(1);
    const QPoint place = f->pos();
    f->move(place + QPoint(37, 41));
    key(g, Qt::Key_F5);
    QCOMPARE(f->pos(), place);
}

void tst_plan_pointer::plusAndMinus_data()
{
    QTest::addColumn<int>("mode");  // -1: design
    QTest::addColumn<int>("steps");  // a program of that many steps shown; -1 none
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("sceneAfter");
    QTest::addColumn<int>("stepAfter");

    const int plus = Qt::Key_Plus;
    const int minus = Qt::Key_Minus;
    QTest::newRow("+ at 4") << 1 << -1 << 4 << -1 << plus << 5 << -1;
    QTest::newRow("+ at the last scene") << 1 << -1 << 10239 << -1 << plus << 0 << -1;
    QTest::newRow("- at the first scene") << 1 << -1 << 0 << -1 << minus << 10239 << -1;
    QTest::newRow("+ live design") << 3 << -1 << 7 << -1 << plus << 8 << -1;
    QTest::newRow("+ at the last compound") << 4 << -1 << 10271 << -1 << plus << 10240 << -1;
    QTest::newRow("- at the first compound") << 4 << -1 << 10240 << -1 << minus << 10271 << -1;
    QTest::newRow("+ at the last step") << 1 << 3 << 42 << 2 << plus << 40 << 0;
    QTest::newRow("- at the first step") << 1 << 3 << 40 << 0 << minus << 42 << 2;
    QTest::newRow("+ on a step") << 3 << 3 << 40 << 0 << plus << 41 << 1;
    // Compound pictures are no program's steps.
    QTest::newRow("compound with a program chosen") << 4 << 3 << 10245 << 1 << plus << 10246 << 1;
    QTest::newRow("a program without steps") << 1 << 0 << 9 << 0 << plus << 9 << 0;
    QTest::newRow("design") << -1 << -1 << 4 << -1 << plus << 4 << -1;
    QTest::newRow("all on") << 0 << -1 << 4 << -1 << plus << 4 << -1;
    QTest::newRow("live show") << 2 << -1 << 4 << -1 << minus << 4 << -1;
    QTest::newRow("all off") << 5 << -1 << 4 << -1 << plus << 4 << -1;
}

void tst_plan_pointer::plusAndMinus()
{
    QFETCH(int, mode);
    QFETCH(int, steps);
    QFETCH(int, scene);
    QFETCH(int, step);
    QFETCH(int, key);
    v_project* vp = rig->r.vp;
    kv310_controller_class* c = rig->r.c;
    if (steps >= 0) {
        c->programs.setStepCount(1, steps);
        for (int s = 0; s < steps; ++s)
            c->programs.setScene(1, s, 40 + s);
    }
    if (mode >= 0)
        toShow();
    g->lightMode = mode;
    vp->sceneNumber = scene;
    vp->programNumber = steps >= 0 ? 1 : -1;
    vp->stepNumber = step;

    ::key(g, key);
    QTEST(vp->sceneNumber, "sceneAfter");
    QTEST(vp->stepNumber, "stepAfter");
    QCOMPARE(vp->programNumber, steps >= 0 ? 1 : -1);
    if ((mode == LIGHT_MODE_OFFLINE || mode == LIGHT_MODE_LIVE_DESIGN) && vp->sceneNumber != scene)
        QCOMPARE(vp->dmxBuffer, reinterpret_cast<uint8_t*>(c->configImage) + img::sceneChannelsOf(vp->sceneNumber));
    // Ctrl makes no difference to a program's steps.
    QVERIFY(rig->r.s.rec.entries.isEmpty());
}

void tst_plan_pointer::ctrlCopiesTheSceneOntoItsNeighbour_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("scene");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");  // 1 "Yes, I do!", 0 "Cancel"
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("target");
    QTest::newRow("Ctrl + at 4, yes") << 1 << 4 << int(Qt::Key_Plus) << 1
                                      << "Do you really want to replace scene #6\nwith scene #5 ?" << 5;
    QTest::newRow("Ctrl + at 4, cancel") << 1 << 4 << int(Qt::Key_Plus) << 0
                                         << "Do you really want to replace scene #6\nwith scene #5 ?" << 5;
    QTest::newRow("Ctrl - at 0, yes") << 3 << 0 << int(Qt::Key_Minus) << 1
                                      << "Do you really want to replace scene #10240\nwith scene #1 ?" << 10239;
    QTest::newRow("Ctrl - at the first compound, yes")
        << 4 << 10240 << int(Qt::Key_Minus) << 1
        << "Do you really want to replace compound scene #32\nwith compound scene #1 ?" << 10271;
}

void tst_plan_pointer::ctrlCopiesTheSceneOntoItsNeighbour()
{
    QFETCH(int, mode);
    QFETCH(int, scene);
    QFETCH(int, key);
    QFETCH(int, answer);
    QFETCH(int, target);
    v_project* vp = rig->r.vp;
    kv310_controller_class* c = rig->r.c;
    const auto values = [c](int s) -> uint8_t* {
        if (s >= FIRST_COMPOUND_SCENE) {
            const int n = s - FIRST_COMPOUND_SCENE;
            return c->compoundScenes[n / 2][n % 2];
        }
        return reinterpret_cast<uint8_t*>(c->configImage) + img::sceneChannelsOf(s);
    };
    for (int i = 0; i < 512; ++i) {
        values(scene)[i] = uint8_t(i * 7 + 1);
        values(target)[i] = 3;
    }
    QByteArray before(reinterpret_cast<const char*>(values(target)), 512);
    const QByteArray source(reinterpret_cast<const char*>(values(scene)), 512);
    toShow();
    g->lightMode = mode;
    vp->sceneNumber = scene;
    vp->programNumber = -1;

    rig->r.s.rec.answer(answer);
    ::key(g, key, Qt::ControlModifier);

    QCOMPARE(rig->r.s.rec.entries.size(), 1);
    const dialogRecorder::entry& asked = rig->r.s.rec.entries.at(0);
    QCOMPARE(asked.title, QStringLiteral("Attention!"));
    QTEST(asked.text, "question");
    QCOMPARE(asked.buttons, QStringList({"Cancel", "Yes, I do!"}));
    const QByteArray after(reinterpret_cast<const char*>(values(target)), 512);
    QCOMPARE(after, answer == 1 ? source : before);
    QCOMPARE(vp->sceneNumber, answer == 1 ? target : scene);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(values(scene)), 512), source);
}

QTEST_MAIN(tst_plan_pointer)
#include "tst_plan_pointer.moc"
