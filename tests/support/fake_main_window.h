#pragma once

#include "seams/gui_base.h"
#include "xml/xml_node.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <functional>

// A main window as the lower layers see it: it records what it is told and
// hands out the field texts it is given.
class fakeMainWindow : public gui_base_class {
public:
    void setProjectField(xml_node* node) override
    {
        calls << (node ? node->name : QStringLiteral("null"));
        fieldResets += node == nullptr;
    }
    projectFieldTexts projectField() const override { return field; }
    void readSettings(xml_node* node) override
    {
        calls << QStringLiteral("settings:") + (node ? node->name : QStringLiteral("null"));
    }
    void showDeviceDst(bool active) override { dst.append(active); }
    void showDeviceCalibration(int value) override { calibration.append(value); }
    void setEventsTabEnabled(int index, bool enabled) override { eventsTabs.append({index, enabled}); }
    void refreshDelayEvents() override { ++delayEventsRefreshes; }
    void reloadRemoteControlEvents() override { ++remoteControlEventsReloads; }
    int currentEventPageKind() const override { return eventPageKind; }
    void setSceneTransparency(bool on) override { sceneTransparency.append(on); }
    bool sceneMonitorHidden() const override { return monitorHidden; }
    void destTmpDev() override { ++scratchReleases; }
    void setDmxOutEventRange(int first, int last) override { dmxOutEventRanges.append({first, last}); }
    void refreshDmxOutEvents() override { ++dmxOutEventsRefreshes; }
    void limitChannelRangeBoxes(int n) override { channelRangeLimits.append(n); }
    void setActiveScenesInputLimit(int n) override
    {
        inputLimits.append(n);
        if (onInputLimit)
            onInputLimit(n);
    }
    ctrl_monitor* monitorPanel() const override { return monitor; }
    void clickLiveButton() override { ++liveButtonClicks; }
    void enterLiveEditing() override { ++liveEditingRequests; }
    void saveConfigurationToFile() override { ++saveRequests; }
    bool visualMonitorHidden() const override { return visualHidden; }
    void showFixtureCount(int count) override { fixtureCounts.append(count); }
    QMetaObject::Connection followFaderBank(faderBankKind kind, QObject*, std::function<void(int, int)>) override
    {
        faderBanksFollowed.append(kind);
        return {};
    }
    void showCompoundPicture(int range, int motion) override { compoundPictures.append({range, motion}); }
    int shownFaderChannel(faderBankKind kind, int record) const override
    {
        return shownFaders.value(qMakePair(int(kind), record), -1);
    }
    void refreshSceneEditor() override { ++sceneEditorRefreshes; }
    void setActiveScenesTabEnabled(int index, bool enabled) override { activeScenesTabs.append({index, enabled}); }
    void refreshCompoundScenes() override { ++compoundSceneRefreshes; }
    void refreshVisiblePage() override { ++visiblePageRefreshes; }
    void startVisMode() override
    {
        ++visModeStarts;
        if (onStartVisMode)
            onStartVisMode();
    }
    void showCompoundScene() override { ++compoundSceneShows; }

    QStringList calls;
    int fieldResets = 0;
    projectFieldTexts field;
    QList<bool> dst;
    QList<int> calibration;
    QList<QPair<int, bool>> eventsTabs;
    int delayEventsRefreshes = 0;
    int remoteControlEventsReloads = 0;
    int eventPageKind = 103;  // what currentEventPageKind() reports
    QList<bool> sceneTransparency;  // what the scene editor's transparency was told
    bool monitorHidden = false;     // the scene editor's "Hide monitor window" box
    int scratchReleases = 0;
    QList<QPair<int, int>> dmxOutEventRanges;  // ranges handed to the DMX output events page
    int dmxOutEventsRefreshes = 0;
    QList<int> channelRangeLimits;  // what the editors' range boxes were limited to
    QList<int> inputLimits;         // what the active-scenes page was told
    // Plays the active-scenes page's answer to a new input limit, when set.
    std::function<void(int)> onInputLimit;
    ctrl_monitor* monitor = nullptr;  // what monitorPanel() hands out
    int liveButtonClicks = 0;
    int liveEditingRequests = 0;
    int saveRequests = 0;
    bool visualHidden = false;      // the visual-project page's "Hide monitor window" box
    QList<int> fixtureCounts;       // fixture counts the visual-project page was given
    QList<int> faderBanksFollowed;  // the kinds asked for, in order
    QList<QPair<int, int>> compoundPictures;  // (range, motion) shown
    // (bank kind, record) -> first channel its faders show; absent: not in front.
    QMap<QPair<int, int>, int> shownFaders;
    int sceneEditorRefreshes = 0;
    QList<QPair<int, bool>> activeScenesTabs;       // active-scenes tabs enabled and disabled
    int compoundSceneRefreshes = 0;
    int visiblePageRefreshes = 0;
    int visModeStarts = 0;
    std::function<void()> onStartVisMode;           // plays the visualisation's part
    int compoundSceneShows = 0;
};
