#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>

class QDialog;
class QWidget;
class lightEffect;
class xml_node;
struct ctrlMenuEntry;

// A named group of fixtures. The members are not owned.
class efGroup {
public:
    explicit efGroup(const QString& name) : name(name) {}

    QString name;
    QList<lightEffect*> members;  // in insertion order
};

// One fixture channel that has a function: its absolute DMX channel (1-based)
// and the fixture.
struct chnlMapEntry {
    chnlMapEntry(int channel = 0, lightEffect* fixture = nullptr) : channel(channel), fixture(fixture) {}

    int channel;
    lightEffect* fixture;
};

bool fixtureNumberLess(const lightEffect* a, const lightEffect* b);
// By channel, then by fixture number.
bool chnlMapLess(const chnlMapEntry& a, const chnlMapEntry& b);

// The visual project: a 2-D plan of light fixtures on a field, the fixture
// library they are defined by, the fixtures, named groups of them and the
// map from DMX channels to fixtures. One lives for the whole run
// (theVisualProject).
//
// The trees are XML: projectTree holds "library" (copies of the items the
// fixtures use), "devices" and "groups"; libraryTree is an external fixture
// library. Fixtures point into both trees, so whatever replaces or deletes a
// tree rebuilds or deletes the fixtures first.
class v_project : public QObject {
    Q_OBJECT
public:
    v_project();
    ~v_project() override;

    // Deletes the fixtures, the groups and the channel map and puts the
    // project tree back to its constructed form, so that nothing of the
    // cleared project is saved again. An external library stays.
    void clear();
    // True when there are fixtures and all of them are completely defined;
    // warns about the first one that is not. Emits validated(result).
    bool checkFixtures();
    // The answer of checkFixtures without its warning and signal: for pages
    // that set their buttons while nobody sees them.
    bool fixturesComplete() const;
    // Sorts the fixtures by number; the lowest number from 1 that no fixture carries.
    int firstFreeNumber();
    // Fills group with the fixtures whose channels lie within first..last
    // (0-based, inclusive) and reports each fixture that straddles a bound.
    // The project takes the group over: it is appended to groups when it got
    // a member and deleted otherwise. Returns the number of members added.
    int groupFromRange(efGroup* group, int first, int last);
    // Removes and deletes the groups made from active-scene ranges.
    void removeRangeGroups();
    // Rebuilds hierarchy (provider -> model -> variant = item "nr") from the
    // "item" nodes of node; null takes the active library.
    void buildHierarchy(xml_node* node = nullptr);
    // Rebuilds the fixtures and the channel map from the project tree.
    void readDevices();
    // The channels of one fixture as readDevices maps them: its function
    // letters and per-code channels from its library item, relocation table
    // and first channel, and its entries appended to chnlMap, which the
    // caller sorts.
    void mapFixtureChannels(lightEffect* fixture);
    // Removes one fixture: its "device" node, and every place that points at
    // it (groups, selection, channel map, light-control menu entries);
    // fixtureRemoved() lets the others (the window, open light-control
    // dialogs) let go before it is deleted.
    void removeFixture(lightEffect* fixture);
    // The "groups" section of the project description: the selected
    // fixtures as the group "default", then every group with its members.
    QString writeGroups() const;
    // Rebuilds groups, defaultGroup and the fixtures' selected flags from
    // the "groups" node of the project tree.
    void readGroups();
    // Replaces the project tree by an empty one. The fixtures point into the
    // old tree and go first; an active library that lived there is dropped.
    void emptyProjectTree();

    int sceneNumber = 0;
    int programNumber = -1;
    int stepNumber = -1;
    uint8_t* dmxBuffer = nullptr;      // the 512 channel values shown; not owned
    QList<lightEffect*> fixtures;      // owned; sorted by number after readDevices
    xml_node* libraryTree = nullptr;   // external fixture library; owned
    xml_node* library = nullptr;       // active library: libraryTree or the project's "library" node
    xml_node* projectTree = nullptr;   // owned
    xml_node* hierarchy = nullptr;     // owned; null when empty
    QList<efGroup*> groups;            // owned, in creation order
    QList<chnlMapEntry> chnlMap;       // sorted by chnlMapLess
    efGroup defaultGroup;              // the selected fixtures
    QString libraryFile;
    QString projectFile;
    int fieldWidth = 1000;
    int fieldHeight = 1000;
    QWidget* graphWindow = nullptr;    // the visualisation window while it exists
    QList<QDialog*> controlDialogs;    // open light-control dialogs; they add and remove themselves
    QList<ctrlMenuEntry*> ctrlMenuEntries;  // owned
    bool modified = false;

signals:
    void validated(bool ok);
    void detailsState(bool enabled);
    // The fixtures were deleted, or a new list of them was made: whatever
    // pointed at the old ones lets go of them.
    void fixturesReplaced();
    // This fixture is about to be deleted alone.
    void fixtureRemoved(lightEffect* fixture);

public slots:
    // Called with a destroyed visualisation window.
    void enableDetails(QObject* window);
    // Replaces the fixture definitions of the project from the external library.
    void refreshFixtLib();

public:
    // The most fixtures and groups a project may hold: each fixture is a few
    // bytes of a file but kilobytes in memory. The largest real show has
    // 100,000 fixtures and some thousand groups.
    static constexpr int maxFixtures = 100000;
    static constexpr int maxGroups = 10000;
    // The limit that the entries of these "devices" and "groups" nodes (either
    // may be null) exceed, in words for reportTooMany ("100000 fixtures"), or
    // an empty text when they keep within both.
    static QString exceededLimit(const xml_node* devices, const xml_node* groups);

private:
    // Deletes every fixture and drops it from every place that points at it.
    void deleteFixtures();
    // A new project tree as constructed: a "field" of 1000 x 1000.
    static xml_node* newProjectTree();
};
