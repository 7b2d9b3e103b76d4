#pragma once

#include <QMainWindow>
#include <QString>

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
};

// The current main window; null before the first one and while it is rebuilt.
extern gui_base_class* theMainWindow;
