// Selection and groups in the plan on the running program: the selection
// slots keep the fixtures' flags and the default group in step, the "Select
// group" menu follows the groups, the light-control menu splits the
// selection and the groups by channel functions, and a set of fixtures gets
// one light-control dialog.

#include "plan_rig.h"

#include "fixtures/ctrl_menu_entry.h"
#include "support/shown_text.h"
#include "model/v_project.h"
#include "visualisation/modi_grp.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using planRig::fixture;
using planRig::numbers;
using planRig::selectedNumbers;

namespace {

// Fixtures 1, 2 and 4 of item "M" (RGB and dimmer, codes "RGB-D-------"),
// 3 a dimmer ("----D-------"), 5 red and green ("RG----------"). Groups:
// "G1" = 3, 5; "G2" = 4, 1; and "G3" without members, which a project file
// cannot hold.
QByteArray projectText(const QList<int>& selected)
{
    return planRig::project({{1, 1, 1}, {2, 1, 10}, {3, 5, 20}, {4, 1, 30}, {5, 4, 40}}, selected,
                            {{"G1", {3, 5}}, {"G2", {4, 1}}});
}

// The light-control menu as text: an action's text, or a submenu's title
// followed by its actions' texts.
QStringList menuText(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (const QMenu* sub = a->menu()) {
            QStringList inner;
            for (const QAction* s : sub->actions())
                inner << s->text();
            out << sub->title() + QStringLiteral(": ") + inner.join(QStringLiteral(" | "));
        } else {
            out << a->text();
        }
    }
    return out;
}

}  // namespace

class tst_plan_selection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void selectionSlots_data();
    void selectionSlots();
    void theSelectGroupMenuFollowsTheGroups();
    void lightControlMenu_data();
    void lightControlMenu();
    void aRebuildReleasesTheOldMenu();
    void groupNamesShowAsTyped();
    void theMenuFollowsTheSelectionWhereItIsInUse_data();
    void theMenuFollowsTheSelectionWhereItIsInUse();
    void withoutALibraryTheMenuStays();
    void newFixturesRebuildTheMenu();
    void oneDialogPerSetOfFixtures();
    void theGroupDialogIsReached();

private:
    kvVGraph_class* open(const QList<int>& selected, bool design);

    std::unique_ptr<visualRig> r;
    kvVGraph_class* g = nullptr;
};

void tst_plan_selection::cleanup()
{
    g = nullptr;
    r.reset();
}

kvVGraph_class* tst_plan_selection::open(const QList<int>& selected, bool design)
{
    r = std::make_unique<visualRig>();
    planRig::read(*r, planRig::library(), projectText(selected));
    if (r->vp->fixtures.size() != 5 || r->vp->groups.size() != 2)
        return nullptr;
    r->vp->groups.append(new efGroup(QStringLiteral("G3")));
    r->vp->modified = false;
    g = design ? r->openDesign() : r->openShow();
    return g;
}

// Scripts of the selection slots. After every step a fixture is selected
// exactly when it is in the default group, and no member is there twice.
// Steps: "all", "none", "invert", "fixt n" (invert fixture n; 0 none),
// "single n", "group i" (the i-th action of "Select group").
void tst_plan_selection::selectionSlots_data()
{
    QTest::addColumn<bool>("design");
    QTest::addColumn<QList<int>>("initial");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<int>>("members");  // the default group in order
    QTest::addColumn<bool>("modified");

    QTest::newRow("select all") << true << QList<int>{2} << QStringList{"all"} << QList<int>{2, 1, 3, 4, 5} << true;
    QTest::newRow("select all, all selected")
        << true << QList<int>{1, 2, 3, 4, 5} << QStringList{"all"} << QList<int>{1, 2, 3, 4, 5} << false;
    QTest::newRow("deselect all") << false << QList<int>{4, 2} << QStringList{"none"} << QList<int>{} << true;
    QTest::newRow("deselect all, none selected") << true << QList<int>{} << QStringList{"none"} << QList<int>{}
                                                 << false;
    QTest::newRow("invert") << true << QList<int>{2, 4} << QStringList{"invert"} << QList<int>{1, 3, 5} << true;
    QTest::newRow("invert twice") << false << QList<int>{4, 2} << QStringList{"invert", "invert"}
                                  << QList<int>{2, 4} << true;
    QTest::newRow("invert fixtures") << false << QList<int>{2} << QStringList{"fixt 4", "fixt 2"} << QList<int>{4}
                                     << true;
    QTest::newRow("select this only") << true << QList<int>{2, 4} << QStringList{"single 3"} << QList<int>{3}
                                      << true;
    QTest::newRow("select this only in show") << false << QList<int>{2, 4} << QStringList{"single 3"}
                                              << QList<int>{2, 4} << false;
    QTest::newRow("group 2 of three") << true << QList<int>{2} << QStringList{"group 1"} << QList<int>{1, 4} << true;
    QTest::newRow("an empty group") << false << QList<int>{2} << QStringList{"group 2"} << QList<int>{} << true;
    QTest::newRow("a group that is not there") << true << QList<int>{2} << QStringList{"group 3"} << QList<int>{2}
                                               << false;
    QTest::newRow("no fixture pointed at") << true << QList<int>{2} << QStringList{"fixt 0", "single 0"}
                                           << QList<int>{2} << false;
    QTest::newRow("one after the other")
        << true << QList<int>{} << QStringList{"all", "fixt 3", "invert", "group 0", "fixt 1", "single 4"}
        << QList<int>{4} << true;
}

void tst_plan_selection::selectionSlots()
{
    QFETCH(bool, design);
    QFETCH(QList<int>, initial);
    QFETCH(QStringList, script);
    QFETCH(QList<int>, members);
    QFETCH(bool, modified);

    QVERIFY(open(initial, design));
    QCOMPARE(numbers(r->vp->defaultGroup.members), initial);
    for (const QString& step : std::as_const(script)) {
        const QStringList parts = step.split(QLatin1Char(' '));
        const int n = parts.value(1).toInt();
        if (parts.at(0) == QLatin1String("all")) {
            g->actionSelect_all->trigger();
        } else if (parts.at(0) == QLatin1String("none")) {
            g->actionDeselect_all->trigger();
        } else if (parts.at(0) == QLatin1String("invert")) {
            g->actionInvert_selection->trigger();
        } else if (parts.at(0) == QLatin1String("fixt")) {
            g->pointedFixture = fixture(*r, n);
            g->actInvertFixture->trigger();
        } else if (parts.at(0) == QLatin1String("single")) {
            g->pointedFixture = fixture(*r, n);
            g->actSelectThisOnly->trigger();
        } else if (parts.at(0) == QLatin1String("group")) {
            emit g->menubar->hovered(g->menuSelect->menuAction());
            const QList<QAction*> actions = g->menuSelect_group->actions();
            if (n < actions.size()) {
                actions.at(n)->trigger();
            } else {
                // An action of a menu older than the groups.
                QAction stray;
                stray.setData(n);
                connect(&stray, &QAction::triggered, g, &kvVGraph_class::selectGroup);
                stray.trigger();
            }
        }
        QList<int> inGroup = numbers(r->vp->defaultGroup.members);
        std::sort(inGroup.begin(), inGroup.end());
        QVERIFY2(std::adjacent_find(inGroup.begin(), inGroup.end()) == inGroup.end(), qPrintable(step));
        QCOMPARE(selectedNumbers(*r), inGroup);
    }
    QCOMPARE(numbers(r->vp->defaultGroup.members), members);
    QCOMPARE(r->vp->modified, modified);
}

void tst_plan_selection::theSelectGroupMenuFollowsTheGroups()
{
    QVERIFY(open({}, true));
    const auto shown = [this] {
        QStringList out;
        for (const QAction* a : g->menuSelect_group->actions())
            out << a->text() + QLatin1Char('=') + a->data().toString();
        return out;
    };
    QCOMPARE(shown(), QStringList{"...="});
    // Pointing at another menu leaves it alone.
    emit g->menubar->hovered(g->menuZoom->menuAction());
    QCOMPARE(shown(), QStringList{"...="});
    emit g->menubar->hovered(g->menuSelect->menuAction());
    QCOMPARE(shown(), (QStringList{"G1=0", "G2=1", "G3=2"}));

    r->vp->groups.at(1)->name = QStringLiteral("Stage left");
    delete r->vp->groups.takeAt(0);
    emit g->menubar->hovered(g->menuSelect->menuAction());
    QCOMPARE(shown(), (QStringList{"Stage left=0", "G3=1"}));
}

// The menu for a selection and the groups: one action for one kind of
// fixtures, a submenu of the kinds for several, nothing for none.
void tst_plan_selection::lightControlMenu_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QStringList>("entries");  // name: members

    QTest::newRow("two RGB fixtures and a dimmer")
        << QList<int>{3, 2, 1} << QStringList{"selected: RGB-D------- | ----D-------", "G1: ----D------- | RG----------", "G2"}
        << QStringList{"selected: 1 2", "selected: 3", "G1: 3", "G1: 5", "G2: 4 1"};
    QTest::newRow("two RGB fixtures") << QList<int>{2, 1}
                                      << QStringList{"selected", "G1: ----D------- | RG----------", "G2"}
                                      << QStringList{"selected: 1 2", "G1: 3", "G1: 5", "G2: 4 1"};
    QTest::newRow("nothing selected") << QList<int>{} << QStringList{"G1: ----D------- | RG----------", "G2"}
                                      << QStringList{"G1: 3", "G1: 5", "G2: 4 1"};
}

void tst_plan_selection::lightControlMenu()
{
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, menu);
    QFETCH(QStringList, entries);

    QVERIFY(open(selected, false));
    QVERIFY(!g->ctrlGroupMenu->isEnabled());
    g->actOffline->trigger();
    QCOMPARE(g->ctrlGroupMenu->title(), QStringLiteral("Light control by groups"));
    QVERIFY(g->ctrlGroupMenu->isEnabled());
    QCOMPARE(menuText(g->ctrlGroupMenu), menu);
    QStringList made;
    for (const ctrlMenuEntry* e : std::as_const(r->vp->ctrlMenuEntries)) {
        QStringList members;
        for (int n : numbers(e->members))
            members << QString::number(n);
        made << e->name + QStringLiteral(": ") + members.join(QLatin1Char(' '));
    }
    QCOMPARE(made, entries);
}

// A group's name is its user's text: "&" in it is neither dropped nor
// taken for a shortcut key, in the "Select group" menu nor in the menu of
// light control by groups, for a group of one kind of fixtures (an action)
// or of several (a submenu).
void tst_plan_selection::groupNamesShowAsTyped()
{
    QVERIFY(open({}, false));
    const QString several = QStringLiteral("Front & back");  // G1: a dimmer and red-green
    const QString one = QStringLiteral("Rock && roll &");    // G2: RGB fixtures only
    r->vp->groups.at(0)->name = several;
    r->vp->groups.at(1)->name = one;
    const auto asTyped = [](const QString& text) {
        return shownText(text) + (QKeySequence::mnemonic(text).isEmpty() ? QString() : QStringLiteral(" (key)"));
    };

    emit g->menubar->hovered(g->menuSelect->menuAction());
    QStringList select;
    for (const QAction* a : g->menuSelect_group->actions())
        select << asTyped(a->text());
    QCOMPARE(select, (QStringList{several, one, QStringLiteral("G3")}));

    g->actOffline->trigger();
    const QList<QAction*> control = g->ctrlGroupMenu->actions();
    QCOMPARE(control.size(), 2);
    QVERIFY(control.at(0)->menu());
    QCOMPARE(asTyped(control.at(0)->menu()->title()), several);
    QCOMPARE(asTyped(control.at(0)->text()), several);
    QCOMPARE(control.at(0)->menu()->actions().size(), 2);
    QVERIFY(!control.at(1)->menu());
    QCOMPARE(asTyped(control.at(1)->text()), one);
    // The entries keep the names themselves, for the dialogs' titles.
    QCOMPARE(r->vp->ctrlMenuEntries.last()->name, one);
}

void tst_plan_selection::aRebuildReleasesTheOldMenu()
{
    QVERIFY(open({1, 3}, false));
    g->actOffline->trigger();
    QList<QPointer<QObject>> old;
    for (QAction* a : g->ctrlGroupMenu->actions()) {
        old << a;
        if (a->menu())
            old << a->menu();
    }
    QCOMPARE(old.size(), 5);  // the selection's and G1's submenus, G2's action
    g->actionDeselect_all->trigger();
    for (const QPointer<QObject>& o : std::as_const(old))
        QVERIFY(!o);
    QCOMPARE(g->ctrlGroupMenu->findChildren<QMenu*>().size(), 1);
    QCOMPARE(r->vp->ctrlMenuEntries.size(), 3);
}

// Every mode that fills the menu rebuilds it as the selection changes; the
// others leave it disabled.
void tst_plan_selection::theMenuFollowsTheSelectionWhereItIsInUse_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("followed");

    QTest::newRow("offline") << "offline" << true;
    QTest::newRow("compound") << "compound" << true;
    QTest::newRow("all on") << "all on" << false;
}

void tst_plan_selection::theMenuFollowsTheSelectionWhereItIsInUse()
{
    QFETCH(QString, mode);
    QFETCH(bool, followed);

    QVERIFY(open({}, false));
    g->actOffline->trigger();
    if (mode == QLatin1String("compound"))
        g->actCompound->trigger();
    else if (mode == QLatin1String("all on"))
        g->actAllOn->trigger();
    g->pointedFixture = fixture(*r, 4);
    g->invertFixt();
    QCOMPARE(menuText(g->ctrlGroupMenu).contains(QStringLiteral("selected")), followed);
    QCOMPARE(g->ctrlGroupMenu->isEnabled(), followed);
}

void tst_plan_selection::withoutALibraryTheMenuStays()
{
    QVERIFY(open({1}, false));
    g->actOffline->trigger();
    const QStringList before = menuText(g->ctrlGroupMenu);
    xml_node* library = r->vp->library;
    r->vp->library = nullptr;
    g->actionSelect_all->trigger();
    r->vp->library = library;
    QCOMPARE(menuText(g->ctrlGroupMenu), before);
    QCOMPARE(r->vp->ctrlMenuEntries.size(), 4);
}

// A project read anew while the menu is in use: its entries name the new
// fixtures, never the deleted ones.
void tst_plan_selection::newFixturesRebuildTheMenu()
{
    QVERIFY(open({1, 2}, false));
    g->actOffline->trigger();
    r->w->projectFileEdit->setText(r->write(QStringLiteral("again.kvp"), projectText({4, 5})));
    r->w->readProject();
    r->settle();
    QCOMPARE(r->vp->fixtures.size(), 5);
    QCOMPARE(menuText(g->ctrlGroupMenu).first(), QStringLiteral("selected: RGB-D------- | RG----------"));
    for (const ctrlMenuEntry* e : std::as_const(r->vp->ctrlMenuEntries))
        for (const lightEffect* f : e->members)
            QVERIFY(r->vp->fixtures.contains(f));
    g->ctrlGroupMenu->actions().at(0)->menu()->actions().at(0)->trigger();
    QCOMPARE(r->vp->controlDialogs.size(), 1);
}

// The same entry twice, and a group of the same fixtures in another order,
// reach the dialog already open; another set gets its own.
void tst_plan_selection::oneDialogPerSetOfFixtures()
{
    QVERIFY(open({1, 4}, false));
    g->actOffline->trigger();
    QAction* selection = g->ctrlGroupMenu->actions().at(0);
    QCOMPARE(selection->text(), QStringLiteral("selected"));
    selection->trigger();
    QCOMPARE(r->vp->controlDialogs.size(), 1);
    auto* d = qobject_cast<ctrlEffects*>(r->vp->controlDialogs.first());
    QVERIFY(d->windowTitle().startsWith(QStringLiteral("selected:RGB-D-------")));
    selection->trigger();
    QCOMPARE(r->vp->controlDialogs.size(), 1);
    efGroup same(QStringLiteral("G2"));
    same.members = {fixture(*r, 4), fixture(*r, 1)};
    g->controlByGroup(&same);
    QCOMPARE(r->vp->controlDialogs.size(), 1);

    g->ctrlGroupMenu->actions().at(1)->menu()->actions().at(0)->trigger();  // G1's dimmer
    QCOMPARE(r->vp->controlDialogs.size(), 2);
    QVERIFY(r->vp->controlDialogs.at(1)->windowTitle().startsWith(QStringLiteral("G1:----D-------")));
    // Not from an action of the menu, or a group without members: nothing.
    g->controlByGroup();
    efGroup empty(QStringLiteral("empty"));
    g->controlByGroup(&empty);
    QCOMPARE(r->vp->controlDialogs.size(), 2);
}

// "Group management" and "Group membership" run the group dialog, then the
// fixtures' check.
void tst_plan_selection::theGroupDialogIsReached()
{
    QVERIFY(open({}, true));
    QSignalSpy validated(r->vp, &v_project::validated);
    lightEffect* focus = nullptr;
    const auto answer = [&focus](QDialog* d) {
        auto* groups = qobject_cast<ModiGrp_class*>(d);
        focus = groups ? groups->focusFixture : reinterpret_cast<lightEffect*>(-1);
        return int(QDialog::Rejected);
    };
    r->s.rec.answerExec(answer);
    g->actGroupManagement->trigger();
    QCOMPARE(focus, nullptr);
    QCOMPARE(validated.size(), 1);

    g->pointedFixture = nullptr;
    g->actGroupMembership->trigger();
    QCOMPARE(validated.size(), 1);
    g->pointedFixture = fixture(*r, 3);
    r->s.rec.answerExec(answer);
    g->actGroupMembership->trigger();
    QCOMPARE(focus, fixture(*r, 3));
    QCOMPARE(validated.size(), 2);
    QCOMPARE(r->s.rec.pendingAnswers(), 0);
}

QTEST_MAIN(tst_plan_selection)
#include "tst_plan_selection.moc"
