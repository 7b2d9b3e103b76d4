#pragma once

#include "ui_modi_grp.h"

#include <QDialog>
#include <QList>

class QListWidget;
class efGroup;
class lightEffect;

// "Group management": makes, names and removes the named groups of the
// visual project and sets their members. Every button acts on the project at
// once; closing only insists that every group has a name.
class ModiGrp_class : public QDialog, public Ui::dlgGroups {
    Q_OBJECT
public:
    // Opened for a fixture, the dialog shows the first group it belongs to
    // and selects its item; null shows the first group.
    ModiGrp_class(lightEffect* fixture, QWidget* parent);

    lightEffect* focusFixture;
    // The member list of the group shown; null when none is shown.
    QList<lightEffect*>* shownMembers = nullptr;

public slots:
    void fillLists(int index);
    void addToGroup();
    void delFromGroup();
    void allToGroup();
    void clearGroup();
    void copySelected();
    void renameGroup();
    void removeGroup();
    void removeAllGroups();
    void createGroup();
    void reject() override;

private:
    efGroup* groupAt(int index) const;
    // Fills both lists from the project's fixtures in their order, members
    // left; sorted by text when asked.
    void fillBoth(bool sorted);
    // Appends the fixture's item; the focus fixture's item is selected.
    void addItem(QListWidget* list, lightEffect* f);
    // Moves the selected items of `from` to `to`, adding or removing their
    // fixtures; false when an item carried no fixture.
    bool moveSelected(QListWidget* from, QListWidget* to, bool add);
    void showFocus(QListWidget* list);
    void setMembershipTitle(const QString& name);
};
