#pragma once

#include "seams/gui_base.h"
#include "xml/xml_node.h"

#include <QList>
#include <QStringList>

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
};
