#include "editors/scenes/ascene_groups_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "widgets/page_style.h"

#include "support/page_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

using groupList = QList<uint16_t>;

// The scene page with its "Coupled Scenes" tool on the page fixture, made
// as when its tab is first shown.
struct coupledRig {
    coupledRig() : page(&world.controller(), &world.tab), groups(*page.coupledPage) { groups.build(); }

    auto& lists() { return world.controller().coupledSceneGroups; }
    void chooseScene(int scene) { page.sceneList->setCurrentCell(scene, 0); }
    void chooseGroup(int group) { groups.groupsTable->setCurrentCell(group, 0); }
    QStringList memberTexts() const
    {
        QStringList out;
        for (int r = 0; r < ascene_groups_widget::MEMBER_ROWS; ++r)
            if (!groups.membersTable->item(r, 0)->text().isEmpty())
                out << groups.membersTable->item(r, 0)->text() + QLatin1Char('|') + groups.membersTable->item(r, 1)->text();
        return out;
    }

    pageFixture world;
    ascene_settings_widget page;
    ascene_groups_widget& groups;
};

}  // namespace

class tst_coupled_scenes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aNewPage();
    void madeWhenFirstShown_data();
    void madeWhenFirstShown();
    void theScenePageRefreshesIt();
    void withoutACurrentGroup();
    void addingSortsAndMovesToTheNextScene();
    void addingToItsOwnGroup();
    void moving_data();
    void moving();
    void theLimitOf64();
    void aFullGroupIgnoresAdding();
    void removing();
};

void tst_coupled_scenes::aNewPage()
{
    coupledRig r;
    QCOMPARE(r.page.toolTabs->widget(3), &r.groups);
    QCOMPARE(r.page.toolTabs->tabText(3), QStringLiteral("Coupled Scenes"));
    QCOMPARE(r.groups.groupsTable->rowCount(), 15);
    QCOMPARE(r.groups.groupsTable->horizontalHeaderItem(0)->text(), QStringLiteral("Group No."));
    QCOMPARE(r.groups.groupsTable->currentRow(), 0);
    QCOMPARE(r.groups.groupsTable->item(14, 0)->text(), QStringLiteral("Group 15"));
    QCOMPARE(r.groups.membersTable->rowCount(), 64);
    QCOMPARE(r.groups.membersTable->horizontalHeaderItem(1)->text(), QStringLiteral("Description"));
    QCOMPARE(r.groups.membersLabel->text(), QStringLiteral("Group 1 members:"));
    QVERIFY(r.memberTexts().isEmpty());
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

// The tool is made when its tab is first chosen or shown, not with the
// scene page, and shows the groups then.
void tst_coupled_scenes::madeWhenFirstShown_data()
{
    QTest::addColumn<bool>("chosen");  // its tab chosen, or the page shown on it
    QTest::newRow("its tab chosen") << true;
    QTest::newRow("shown with its tab in front") << false;
}

void tst_coupled_scenes::madeWhenFirstShown()
{
    QFETCH(bool, chosen);
    pageFixture world;
    world.controller().coupledSceneGroups[1] = {5};
    ascene_settings_widget page(&world.controller(), &world.tab);
    ascene_groups_widget& groups = *page.coupledPage;
    QVERIFY(!groups.isBuilt());
    page.refresh();
    QVERIFY(!groups.isBuilt());
    if (chosen) {
        page.toolTabs->setCurrentIndex(3);
    } else {
        const QSignalBlocker quiet(page.toolTabs);
        page.toolTabs->setCurrentIndex(3);
        world.tab.show();
    }
    QVERIFY(groups.isBuilt());
    QVERIFY(groups.membersTable->isVisibleTo(&world.tab));
    QCOMPARE(groups.groupsTable->item(1, 0)->background().color(), pageStyle::usedColour());
}

void tst_coupled_scenes::theScenePageRefreshesIt()
{
    coupledRig r;
    r.lists()[0] = {8, 3};
    r.world.controller().sceneDescriptions[3] = QStringLiteral("Blue wash");
    int before = r.groups.refreshCount;
    r.page.refresh();
    QCOMPARE(r.groups.refreshCount, before + 1);
    QCOMPARE(r.memberTexts(), (QStringList{"Scene 4|Blue wash", "Scene 9|no description"}));
    // Sorted in the controller's list as well.
    QCOMPARE(r.lists()[0], (groupList{3, 8}));

    before = r.groups.refreshCount;
    r.page.toolTabs->setCurrentIndex(3);
    QCOMPARE(r.groups.refreshCount, before + 1);
}

void tst_coupled_scenes::withoutACurrentGroup()
{
    coupledRig r;
    r.lists()[0] = {5};
    r.lists()[1] = {6};
    r.chooseGroup(1);
    r.groups.groupsTable->setCurrentIndex(QModelIndex());
    QCOMPARE(r.groups.groupsTable->currentRow(), -1);
    r.groups.refresh();
    QCOMPARE(r.groups.membersLabel->text(), QStringLiteral("Group 1 members:"));
    QCOMPARE(r.memberTexts(), QStringList{"Scene 6|no description"});

    r.chooseScene(9);
    r.groups.addButton->click();
    r.groups.membersTable->setCurrentCell(0, 0);
    r.groups.removeButton->click();
    QCOMPARE(r.lists()[0], groupList{5});
    QCOMPARE(r.lists()[1], groupList{6});
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

void tst_coupled_scenes::addingSortsAndMovesToTheNextScene()
{
    coupledRig r;
    r.lists()[2] = {50, 10};
    r.chooseGroup(2);
    r.chooseScene(30);
    r.groups.addButton->click();
    QCOMPARE(r.lists()[2], (groupList{10, 30, 50}));
    QCOMPARE(r.memberTexts(),
             (QStringList{"Scene 11|no description", "Scene 31|no description", "Scene 51|no description"}));
    QCOMPARE(r.groups.membersTable->item(1, 0)->data(Qt::UserRole).toInt(), 30);
    // The next scene is ready to be added, and the page shows it.
    QCOMPARE(r.page.sceneList->currentRow(), 31);
    QCOMPARE(r.page.currentScene, 31);
    r.groups.addButton->click();
    QCOMPARE(r.lists()[2], (groupList{10, 30, 31, 50}));

    QCOMPARE(r.groups.groupsTable->item(2, 0)->background().color(), pageStyle::usedColour());
    QCOMPARE(r.groups.groupsTable->item(3, 0)->background(), pageStyle::emptyBrush());
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

void tst_coupled_scenes::addingToItsOwnGroup()
{
    coupledRig r;
    r.lists()[4] = {7};
    r.chooseGroup(4);
    r.chooseScene(7);
    r.groups.addButton->click();
    QCOMPARE(r.world.dialogs.titles(), QStringList{"Nothing to do!"});
    QCOMPARE(r.world.dialogs.texts(), QStringList{"Scene 8 already coupled with group 5!"});
    QCOMPARE(r.lists()[4], groupList{7});
    QCOMPARE(r.page.sceneList->currentRow(), 7);
}

void tst_coupled_scenes::moving_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<groupList>("from");
    QTest::addColumn<groupList>("to");

    QTest::newRow("Yes, I do!") << 1 << groupList{2} << groupList{1, 9};
    QTest::newRow("Cancel") << 0 << groupList{2, 9} << groupList{1};
}

void tst_coupled_scenes::moving()
{
    QFETCH(int, answer);
    QFETCH(groupList, from);
    QFETCH(groupList, to);

    coupledRig r;
    r.lists()[0] = {2, 9};
    r.lists()[6] = {1};
    r.chooseGroup(6);
    r.chooseScene(9);
    r.world.dialogs.answer(answer);
    r.groups.addButton->click();
    QCOMPARE(r.world.dialogs.titles(), QStringList{"Are you sure?"});
    QCOMPARE(r.world.dialogs.texts(),
             QStringList{"Scene 10 is coupled with group 1!\nDo you really move it to group 7?"});
    QCOMPARE(r.world.dialogs.entries.at(0).buttons, (QStringList{"Cancel", "Yes, I do!"}));
    QCOMPARE(r.lists()[0], from);
    QCOMPARE(r.lists()[6], to);
}

void tst_coupled_scenes::theLimitOf64()
{
    coupledRig r;
    for (int s = 0; s < 40; ++s)
        r.lists()[0].append(uint16_t(100 + s));
    for (int s = 0; s < 24; ++s)
        r.lists()[1].append(uint16_t(200 + s));
    r.chooseGroup(2);
    r.chooseScene(5);
    r.groups.addButton->click();
    QCOMPARE(r.world.dialogs.titles(), QStringList{"Unrealisable action!"});
    QCOMPARE(r.world.dialogs.texts(), QStringList{"To many coupled scenes!"});
    QVERIFY(r.lists()[2].isEmpty());
    QCOMPARE(r.world.controller().coupledSceneCount(), 64);

    // A move takes the scene out first, so it still fits.
    r.world.dialogs.clear();
    r.world.dialogs.answer(1);
    r.chooseScene(210);
    r.groups.addButton->click();
    QCOMPARE(r.world.dialogs.titles(), QStringList{"Are you sure?"});
    QCOMPARE(r.lists()[2], groupList{210});
    QCOMPARE(r.lists()[1].size(), 23);
    QCOMPARE(r.world.controller().coupledSceneCount(), 64);
}

void tst_coupled_scenes::aFullGroupIgnoresAdding()
{
    coupledRig r;
    for (int s = 0; s < 64; ++s)
        r.lists()[3].append(uint16_t(s));
    r.chooseGroup(3);
    r.chooseScene(500);
    r.groups.addButton->click();
    QVERIFY(r.world.dialogs.entries.isEmpty());
    QCOMPARE(r.lists()[3].size(), 64);
    QCOMPARE(r.page.sceneList->currentRow(), 500);
}

void tst_coupled_scenes::removing()
{
    coupledRig r;
    r.lists()[1] = {40, 20};
    r.chooseGroup(1);
    QCOMPARE(r.groups.groupsTable->item(1, 0)->background().color(), pageStyle::usedColour());

    // An empty row below the members does nothing.
    r.groups.membersTable->setCurrentCell(5, 0);
    r.groups.removeButton->click();
    QCOMPARE(r.lists()[1], (groupList{20, 40}));

    r.groups.membersTable->setCurrentCell(1, 0);
    r.groups.removeButton->click();
    QCOMPARE(r.lists()[1], groupList{20});
    QCOMPARE(r.memberTexts(), QStringList{"Scene 21|no description"});
    r.groups.membersTable->setCurrentCell(0, 0);
    r.groups.removeButton->click();
    QVERIFY(r.lists()[1].isEmpty());
    QVERIFY(r.memberTexts().isEmpty());
    QCOMPARE(r.groups.groupsTable->item(1, 0)->background(), pageStyle::emptyBrush());
    QVERIFY(r.world.dialogs.entries.isEmpty());
}

QTEST_MAIN(tst_coupled_scenes)
#include "tst_coupled_scenes.moc"
