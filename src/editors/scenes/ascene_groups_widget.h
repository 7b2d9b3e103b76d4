#pragma once

#include <QWidget>

class QAbstractItemModel;
class QLabel;
class QPushButton;
class QTableWidget;
class pageListView;

// The "Coupled Scenes" tool of the scene page: 15 groups of coupled scenes,
// the members of the chosen group, and buttons that put the scene chosen in
// the scene list into the group or take a member out. It edits the
// controller's group lists in place: a scene belongs to one group at most,
// and all groups together hold at most 64 scenes. The tab page is made
// empty with the scene page; its widgets are made when it is first shown
// (build()), and until then it reloads nothing.
class ascene_groups_widget : public QWidget {
    Q_OBJECT
public:
    // sceneList: the scene page's list, whose current row is the scene to add.
    ascene_groups_widget(pageListView* sceneList, QWidget* parent);

    static constexpr int GROUPS = 15;
    static constexpr int MEMBER_ROWS = 64;

    // Makes the widgets and loads them, unless they are there.
    void build();
    bool isBuilt() const { return groupsTable != nullptr; }

    QTableWidget* groupsTable = nullptr;       // one row per group
    QTableWidget* membersTable = nullptr;      // the chosen group's scenes, sorted
    pageListView* sceneList;                   // not owned
    QLabel* selectLabel = nullptr;
    QLabel* membersLabel = nullptr;
    QAbstractItemModel* groupsModel = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;

    int refreshCount = 0;            // reloads so far

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void refresh();
    void grpChange();
    void addMember();
    void removeMember();

private:
    // The chosen group, or 0 when none is chosen.
    int shownGroup() const;
};
