#pragma once

#include "editors/scenes/arecord_settings_widget.h"

class QComboBox;
class QGroupBox;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class ascene_groups_widget;
class kv310_controller_class;

// The "Scenes" page of the main window: the scene list and the tools of the
// current scene. While the controller works live, choosing a scene uploads
// it as the live scene and every fader movement is sent as a live value.
class ascene_settings_widget : public arecord_settings_widget {
    Q_OBJECT
public:
    ascene_settings_widget(kv310_controller_class* controller, QWidget* parent, toolBuild tools = toolBuild::atOnce);

    pageListView*& sceneList = recordList;  // one row per scene
    ascene_groups_widget* coupledPage = nullptr;  // "Coupled Scenes"

    // "Copying": capture of the DMX input. While the group is ticked the
    // controller passes its DMX input through to its output, and the output
    // DMX monitor window holds the levels that "Save" stores.
    QGroupBox* transparencyGroup = nullptr;
    QCheckBox* hideMonitorBox = nullptr;
    QLabel* saveAsLabel = nullptr;
    QRadioButton *saveSceneButton = nullptr, *saveMaskButton = nullptr;
    QLabel* mixingLabel = nullptr;
    QComboBox* mixingBox = nullptr;             // item data: the dmxMixingMode
    QLabel* targetLabel = nullptr;
    QSpinBox* targetBox = nullptr;              // 1-based scene or mask
    QPushButton* saveButton = nullptr;

public slots:
    void tabChanged(int index) override;
    // Sends the current scene live again.
    void sceneLiveOn();
    // Stores the captured levels into the target scene or mask.
    void saveFromDmx();
    // Hides the output DMX window while ticked.
    void hideMonitor(int state);
    // Offers the mixing modes and target numbers of a scene or a mask.
    void sceneOrMask();
    // Switches DMX transparency on or off: off also when the output DMX
    // window has gone, whatever the controller answers.
    void setTransparency(bool on);

protected:
    void refreshed() override;
    void toolsMade() override;

private:
    void buildTransparencyGroup();
    // The user ticked or unticked the group: a switch-off the controller
    // refuses leaves transparency on, and the group ticked.
    void transparencyToggled(bool on);
    void switchTransparency(bool on, bool byUser);
};
