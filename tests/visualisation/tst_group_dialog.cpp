// The group dialog on the running program: which group it shows first, the
// member buttons and what they leave in the lists and the groups, creating,
// renaming and removing groups, and closing only with every group named.
// Buttons are pressed with the pointer: they act as they go down.

#include "plan_rig.h"

#include "model/v_project.h"
#include "visualisation/modi_grp.h"

#include <QListWidget>
#include <QTest>

using planRig::fixture;
using planRig::numbers;

namespace {

// Eleven dimmers, numbers 1..11; groups "A" = 1, "B" = 3, 5 and "C" = 5, 7;
// fixtures 2 and 10 selected.
QByteArray projectText(bool groups)
{
    QList<planRig::device> devices;
    for (int n = 1; n <= 11; ++n)
        devices.append({n, 5, n});
    if (!groups)
        return planRig::project(devices, {2, 10});
    return planRig::project(devices, {2, 10}, {{"A", {1}}, {"B", {3, 5}}, {"C", {5, 7}}});
}

// The fixture numbers of a list's items, in the list's order.
QList<int> listed(const QListWidget* list)
{
    QList<int> out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text().section(QLatin1Char(')'), 0, 0).mid(1).toInt();
    return out;
}

QList<int> selectedIn(const QListWidget* list)
{
    QList<int> out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            out << listed(list).at(i);
    return out;
}

void select(QListWidget* list, const QList<int>& fixtures)
{
    list->clearSelection();
    const QList<int> shown = listed(list);
    for (int n : fixtures)
        list->item(shown.indexOf(n))->setSelected(true);
}

void press(QAbstractButton* button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

}  // namespace

class tst_group_dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void whatItShowsFirst_data();
    void whatItShowsFirst();
    void withoutGroups();
    void addAndRemoveMoveExactlyTheSelectedItems();
    void theWholeListButtons_data();
    void theWholeListButtons();
    void anItemWithoutAFixtureChangesNothing();
    void renaming_data();
    void renaming();
    void removingAGroup_data();
    void removingAGroup();
    void removingAllGroups_data();
    void removingAllGroups();
    void closingWantsEveryGroupNamed();

private:
    ModiGrp_class* open(int focus, bool groups = true);

    std::unique_ptr<visualRig> r;
    std::unique_ptr<ModiGrp_class> d;
};

void tst_group_dialog::cleanup()
{
    d.reset();
    r.reset();
}

ModiGrp_class* tst_group_dialog::open(int focus, bool groups)
{
    r = std::make_unique<visualRig>();
    planRig::read(*r, planRig::library(), projectText(groups));
    if (r->vp->fixtures.size() != 11)
        return nullptr;
    r->vp->modified = false;
    kvVGraph_class* g = r->openDesign();
    d = std::make_unique<ModiGrp_class>(focus ? fixture(*r, focus) : nullptr, g);
    d->show();
    return d.get();
}

void tst_group_dialog::whatItShowsFirst_data()
{
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QList<int>>("members");
    QTest::addColumn<QList<int>>("selectedMembers");
    QTest::addColumn<QList<int>>("selectedOthers");

    QTest::newRow("in the second and third groups")
        << 5 << "B" << QList<int>{3, 5} << QList<int>{5} << QList<int>{};
    QTest::newRow("in no group") << 2 << "A" << QList<int>{1} << QList<int>{} << QList<int>{2};
    QTest::newRow("no fixture") << 0 << "A" << QList<int>{1} << QList<int>{} << QList<int>{};
}

void tst_group_dialog::whatItShowsFirst()
{
    QFETCH(int, focus);
    QFETCH(QString, group);
    QFETCH(QList<int>, members);
    QFETCH(QList<int>, selectedMembers);
    QFETCH(QList<int>, selectedOthers);

    QVERIFY(open(focus));
    QCOMPARE(d->windowTitle(), QStringLiteral("Group management"));
    QCOMPARE(d->cbGroups->count(), 3);
    QCOMPARE(d->cbGroups->currentText(), group);
    QCOMPARE(d->gbFixt->title(), QStringLiteral("Membership of \"%1\"").arg(group));
    QCOMPARE(d->leGName->text(), group);
    QCOMPARE(listed(d->lwInGroup), members);
    QCOMPARE(listed(d->lwInGroup).size() + listed(d->lwOutGroup).size(), 11);
    QCOMPARE(selectedIn(d->lwInGroup), selectedMembers);
    QCOMPARE(selectedIn(d->lwOutGroup), selectedOthers);
    // Items read "(number)" and the caption after its first colon, sorted as text.
    const QListWidget* with10 = listed(d->lwInGroup).contains(10) ? d->lwInGroup : d->lwOutGroup;
    QCOMPARE(with10->item(listed(with10).indexOf(10))->text(),
             QStringLiteral("(10) ") + fixture(*r, 10)->caption.section(QLatin1Char(':'), 1));
    QCOMPARE(d->lwInGroup->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(d->lwOutGroup->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(!r->vp->modified);
}

void tst_group_dialog::withoutGroups()
{
    QVERIFY(open(0, false));
    QCOMPARE(d->cbGroups->count(), 0);
    QCOMPARE(d->lwInGroup->count(), 0);
    QCOMPARE(d->lwOutGroup->count(), 0);
    QCOMPARE(d->leGName->text(), QString());
    QCOMPARE(d->gbFixt->title(), QStringLiteral("Membership of \"\""));
    // The member buttons have no group to act on.
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(d->tbAddAll), static_cast<QAbstractButton*>(d->tbSelect)})
        press(b);
    QCOMPARE(d->lwInGroup->count(), 0);
    QVERIFY(!r->vp->modified);
}

void tst_group_dialog::addAndRemoveMoveExactlyTheSelectedItems()
{
    QVERIFY(open(2));
    select(d->lwOutGroup, {10, 2, 7});
    press(d->tbAdd);
    QList<int> members = numbers(r->vp->groups.at(0)->members);
    std::sort(members.begin(), members.end());
    QCOMPARE(members, (QList<int>{1, 2, 7, 10}));
    QCOMPARE(listed(d->lwInGroup), (QList<int>{1, 10, 2, 7}));
    QCOMPARE(listed(d->lwOutGroup), (QList<int>{11, 3, 4, 5, 6, 8, 9}));
    // The fixture the dialog was opened for is selected where it went.
    QCOMPARE(selectedIn(d->lwInGroup), QList<int>{2});
    QVERIFY(r->vp->modified);

    r->vp->modified = false;
    select(d->lwInGroup, {1, 7});
    press(d->tbRemove);
    members = numbers(r->vp->groups.at(0)->members);
    std::sort(members.begin(), members.end());
    QCOMPARE(members, (QList<int>{2, 10}));
    QCOMPARE(listed(d->lwInGroup), (QList<int>{10, 2}));
    QCOMPARE(listed(d->lwOutGroup), (QList<int>{1, 11, 3, 4, 5, 6, 7, 8, 9}));
    QVERIFY(r->vp->modified);
}

// "Add all", "Remove all" and "Copy selection": the group, the lists in the
// fixtures' order, and whether the project changed.
void tst_group_dialog::theWholeListButtons_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("members");
    QTest::addColumn<bool>("modified");

    const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("add all to a group with members") << 1 << "add all" << all << true;
    QTest::newRow("remove all") << 1 << "remove all" << QList<int>{} << true;
    QTest::newRow("copy selection") << 2 << "copy" << QList<int>{2, 10} << true;
}

void tst_group_dialog::theWholeListButtons()
{
    QFETCH(int, group);
    QFETCH(QString, button);
    QFETCH(QList<int>, members);
    QFETCH(bool, modified);

    QVERIFY(open(0));
    d->cbGroups->setCurrentIndex(group);
    QAbstractButton* b = button == QLatin1String("add all") ? static_cast<QAbstractButton*>(d->tbAddAll)
                         : button == QLatin1String("remove all") ? d->tbClear
                                                                 : d->tbSelect;
    press(b);
    QCOMPARE(numbers(r->vp->groups.at(group)->members), members);
    QCOMPARE(listed(d->lwInGroup), members);
    QCOMPARE(listed(d->lwInGroup).size() + listed(d->lwOutGroup).size(), 11);
    QCOMPARE(r->vp->modified, modified);

    // The same again changes nothing more.
    r->vp->modified = false;
    press(b);
    QCOMPARE(numbers(r->vp->groups.at(group)->members), members);
    QCOMPARE(r->vp->modified, button == QLatin1String("copy"));

    // Shown again, the group is as the buttons left it.
    d->cbGroups->setCurrentIndex(0);
    d->cbGroups->setCurrentIndex(group);
    QList<int> sorted = members;
    std::sort(sorted.begin(), sorted.end(), [](int a, int b) { return QString::number(a) < QString::number(b); });
    QCOMPARE(listed(d->lwInGroup), sorted);
}

void tst_group_dialog::anItemWithoutAFixtureChangesNothing()
{
    QVERIFY(open(0));
    d->lwOutGroup->addItem(QStringLiteral("(99) stray"));
    select(d->lwOutGroup, {99, 4});
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^\\d null pointer!$")));
    press(d->tbAdd);
    QCOMPARE(numbers(r->vp->groups.at(0)->members), QList<int>{1});
    QCOMPARE(listed(d->lwInGroup), QList<int>{1});
    QVERIFY(!r->vp->modified);
}

void tst_group_dialog::renaming_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");  // empty: unchanged

    QTest::newRow("a name") << "Stage" << "Stage";
    QTest::newRow("spaces kept") << "  Stage left " << "  Stage left ";
    QTest::newRow("spaces only") << "   " << "";
    QTest::newRow("nothing") << "" << "";
}

void tst_group_dialog::renaming()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);

    QVERIFY(open(0));
    d->cbGroups->setCurrentIndex(1);
    d->leGName->setText(typed);
    press(d->pbRename);
    const QString expected = name.isEmpty() ? QStringLiteral("B") : name;
    QCOMPARE(r->vp->groups.at(1)->name, expected);
    QCOMPARE(d->cbGroups->itemText(1), expected);
    QCOMPARE(d->gbFixt->title(), QStringLiteral("Membership of \"%1\"").arg(expected));
    QCOMPARE(r->vp->modified, !name.isEmpty());
}

// The shown group goes; the one that takes its place in the box is shown.
void tst_group_dialog::removingAGroup_data()
{
    QTest::addColumn<int>("groups");  // the first n of A, B, C
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("nowShown");

    QTest::newRow("the first") << 3 << 0 << QStringList{"B", "C"} << "B";
    QTest::newRow("the middle") << 3 << 1 << QStringList{"A", "C"} << "C";
    QTest::newRow("the last") << 3 << 2 << QStringList{"A", "B"} << "B";
    QTest::newRow("the only one") << 1 << 0 << QStringList{} << "";
}

void tst_group_dialog::removingAGroup()
{
    QFETCH(int, groups);
    QFETCH(int, shown);
    QFETCH(QStringList, left);
    QFETCH(QString, nowShown);

    QVERIFY(open(0));
    d.reset();
    while (r->vp->groups.size() > groups)
        delete r->vp->groups.takeLast();
    d = std::make_unique<ModiGrp_class>(nullptr, r->graph());
    d->cbGroups->setCurrentIndex(shown);
    press(d->pbRemove);
    QStringList names;
    for (const efGroup* g : std::as_const(r->vp->groups))
        names << g->name;
    QCOMPARE(names, left);
    QCOMPARE(d->cbGroups->count(), left.size());
    QCOMPARE(d->cbGroups->currentText(), nowShown);
    QCOMPARE(d->leGName->text(), nowShown);
    QCOMPARE(d->gbFixt->title(), QStringLiteral("Membership of \"%1\"").arg(nowShown));
    const QList<int> members = nowShown == QLatin1String("B") ? QList<int>{3, 5}
                               : nowShown == QLatin1String("C") ? QList<int>{5, 7}
                                                                : QList<int>{};
    QCOMPARE(listed(d->lwInGroup), members);
    QCOMPARE(d->lwOutGroup->count(), nowShown.isEmpty() ? 0 : 11 - int(members.size()));
    QVERIFY(r->vp->modified);
}

void tst_group_dialog::removingAllGroups_data()
{
    QTest::addColumn<bool>("groups");
    QTest::newRow("three groups") << true;
    QTest::newRow("none") << false;
}

void tst_group_dialog::removingAllGroups()
{
    QFETCH(bool, groups);

    QVERIFY(open(0, groups));
    press(d->pbDelAll);
    QVERIFY(r->vp->groups.isEmpty());
    QCOMPARE(d->cbGroups->count(), 0);
    QCOMPARE(d->lwInGroup->count() + d->lwOutGroup->count(), 0);
    QCOMPARE(d->leGName->text(), QString());
    QVERIFY(r->vp->modified);
    // Nothing is shown for the member buttons to change.
    press(d->tbAddAll);
    QCOMPARE(d->lwInGroup->count(), 0);
}

// Two new groups: closing shows the first unnamed one and says why it stays
// open; named, they let it close.
void tst_group_dialog::closingWantsEveryGroupNamed()
{
    QVERIFY(open(0));
    press(d->pbCreate);
    QCOMPARE(d->cbGroups->currentIndex(), 3);
    QCOMPARE(d->leGName->text(), QStringLiteral("-- no name --"));
    QCOMPARE(d->lwInGroup->count(), 0);
    QCOMPARE(d->lwOutGroup->count(), 11);
    QVERIFY(r->vp->modified);
    press(d->pbCreate);
    QCOMPARE(r->vp->groups.size(), 5);
    QCOMPARE(r->vp->groups.at(3)->name, QStringLiteral("-- no name --"));
    QCOMPARE(r->vp->groups.at(4)->name, QStringLiteral("-- no name --"));

    press(d->pbClose);
    QVERIFY(d->isVisible());
    QCOMPARE(d->cbGroups->currentIndex(), 3);
    QCOMPARE(r->s.rec.titles(), QStringList{"Invalid entry"});
    QCOMPARE(r->s.rec.texts(), QStringList{"Set the group name!"});
    QCOMPARE(r->s.rec.entries.at(0).parent, d.get());

    d->leGName->setText(QStringLiteral("Front"));
    press(d->pbRename);
    QTest::keyClick(d.get(), Qt::Key_Escape);
    QVERIFY(d->isVisible());
    QCOMPARE(d->cbGroups->currentIndex(), 4);
    d->leGName->setText(QStringLiteral("Back"));
    press(d->pbRename);
    press(d->pbClose);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(r->s.rec.entries.size(), 2);
}

QTEST_MAIN(tst_group_dialog)
#include "tst_group_dialog.moc"
