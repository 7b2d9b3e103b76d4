#pragma once

#include <QMainWindow>
#include <QMetaObject>
#include <QString>

#include <functional>

class ctrl_monitor;
class xml_node;

// The texts of the visual-project page's six field widgets, as the project
// description writes them.
struct projectFieldTexts {
    int dark = 0;          // item data of the darkening combo; 0 = "---"
    QString image;         // background image file
    int pale = 0;          // item data of the brightening combo; 0 = "---"
    QString outline;       // sketch image file
    QString width;         // project area width text
    QString height;        // project area height text
};

// The main window as the lower layers see it. The window itself (gui_class)
// lives in the application library, above everything that calls back into it;
// this base keeps those callers free of a link dependency on it.
class gui_base_class : public QMainWindow {
public:
    using QMainWindow::QMainWindow;
    ~gui_base_class() override;

    // Visual-project page.
    virtual void setProjectField(xml_node* node) = 0;
    virtual projectFieldTexts projectField() const = 0;
    // The project description's "settings" section.
    virtual void readSettings(xml_node* node) = 0;

    // Clock page: daylight-saving indicator and calibration read from the controller.
    virtual void showDeviceDst(bool active) = 0;
    virtual void showDeviceCalibration(int value) = 0;

    // Enables or disables one page of the events tab widget (5 remote
    // control, 6 DMX output); the settings pages that govern them call it.
    virtual void setEventsTabEnabled(int index, bool enabled) = 0;

    // Reloads the delay events page; the action tables ask for it after every
    // stored edit, since an edit can start or stop a delay.
    virtual void refreshDelayEvents() {}
    // The remote-control settings were read anew (from the controller or a
    // file): the remote-control events page shows its current button's
    // actions and texts again.
    virtual void reloadRemoteControlEvents() {}
    // The kind of the event page in front (the events sub-tab index, 0..6)
    // while the events tab is current; 103, the sequence page, otherwise.
    virtual int currentEventPageKind() const { return 103; }
    // Scene editor, as the output DMX monitor window reaches it: the window's
    // closing ends the editor's DMX transparency (setTransparency(false)),
    // and a window made while the editor's "Hide monitor window" box is
    // ticked is polled without being shown.
    virtual void setSceneTransparency(bool on) { Q_UNUSED(on) }
    virtual bool sceneMonitorHidden() const { return false; }
    // Releases the other configurations that the scene, mask and program
    // pages hold to copy from; a page calls it before it opens one, so that
    // only one is held at a time.
    virtual void destTmpDev() {}

    // DMX output events page: the 1-based channel range it lists (first
    // above last lists nothing), taken at its next refresh; and a refresh.
    // The output channel panel governs both with event generation.
    virtual void setDmxOutEventRange(int first, int last) { Q_UNUSED(first) Q_UNUSED(last) }
    virtual void refreshDmxOutEvents() {}
    // The range boxes ("from", "to") of the scene and mask editors' channel
    // groups and of the DMX input page's bulk tool become 1..n when the
    // output channel limit changes.
    virtual void limitChannelRangeBoxes(int n) { Q_UNUSED(n) }
    // The active-scenes page bounds its control channel by the DMX input
    // channel limit.
    virtual void setActiveScenesInputLimit(int n) { Q_UNUSED(n) }

    // What the visualisation window needs of its neighbours.
    // The monitor panel with its windows: its output window feeds the live
    // show, and the scene editor's DMX capture opens, hides and reads it;
    // null when none.
    virtual ctrl_monitor* monitorPanel() const { return nullptr; }
    // The right-hand panel: a click of its Live button; live editing as a
    // checked Live button starts it; saving the configuration with the
    // project as its save button does.
    virtual void clickLiveButton() {}
    virtual void enterLiveEditing() {}
    virtual void saveConfigurationToFile() {}
    // The visual-project page's "Hide monitor window" box.
    virtual bool visualMonitorHidden() const { return false; }
    // The visual-project page's fixture count, after the plan added or
    // removed a fixture.
    virtual void showFixtureCount(int count) { Q_UNUSED(count) }
    // The fader banks the window follows: the scene editor's and the
    // active-scene editor's (compound pictures).
    enum faderBankKind { SCENE_FADERS = 0, COMPOUND_FADERS = 1 };
    // Sends every liveNewValue(sc, ch) of that bank to onChange for as long
    // as context lives; an invalid connection when there is no such bank.
    virtual QMetaObject::Connection followFaderBank(faderBankKind kind, QObject* context,
                                                    std::function<void(int sc, int ch)> onChange)
    {
        Q_UNUSED(kind) Q_UNUSED(context) Q_UNUSED(onChange)
        return {};
    }
    // The active-scene editor shows the compound picture (range 0..15,
    // motion 0 static, 1 in motion).
    virtual void showCompoundPicture(int range, int motion) { Q_UNUSED(range) Q_UNUSED(motion) }
    // What the light-control dialog writes may be on an editor's faders:
    // the first of the ten channels the bank shows while its page is in
    // front (the scene editor's first tool tab, the active-scenes picture
    // tab) and the bank shows record `record`; -1 otherwise.
    virtual int shownFaderChannel(faderBankKind kind, int record) const
    {
        Q_UNUSED(kind) Q_UNUSED(record)
        return -1;
    }
    // Reloads the scene editor from the image (the compound pictures' editor
    // is refreshCompoundScenes).
    virtual void refreshSceneEditor() {}

    // Active scenes. The settings page enables the compound-scene editor's
    // tab (index 1 of the active-scenes tab widget) only while the feature
    // is on and set up.
    virtual void setActiveScenesTabEnabled(int index, bool enabled)
    {
        Q_UNUSED(index)
        Q_UNUSED(enabled)
    }
    // Redraws the compound-scene editor after its pictures were rebuilt.
    virtual void refreshCompoundScenes() {}
    // Reloads the one page that is visible.
    virtual void refreshVisiblePage() {}
    // Visualisation: opens the window in visualisation mode (nothing happens
    // when the visual project's fixtures are not all complete), and shows in
    // an open window the compound picture chosen by the visual project's
    // sceneNumber, following the compound-scene editor's faders.
    virtual void startVisMode() {}
    virtual void showCompoundScene() {}
};

// The current main window; null before the first one and while it is rebuilt.
extern gui_base_class* theMainWindow;
