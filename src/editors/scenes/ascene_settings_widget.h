#pragma once

#include "editors/scenes/arecord_settings_widget.h"

class QTableWidget;
class kv310_controller_class;

// The "Scenes" page of the main window: the scene list and the tools of the
// current scene. While the controller works live, choosing a scene uploads
// it as the live scene and every fader movement is sent as a live value.
class ascene_settings_widget : public arecord_settings_widget {
    Q_OBJECT
public:
    ascene_settings_widget(kv310_controller_class* controller, QWidget* parent);

    QTableWidget*& sceneList = recordList;  // one row per scene
    QWidget* coupledPage;                   // "Coupled Scenes"

public slots:
    // Sends the current scene live again.
    void sceneLiveOn();

protected:
    void refreshed() override;
};
