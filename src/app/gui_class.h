#pragma once

#include "app/seams/gui_base.h"

class QMenu;
class QSignalMapper;
class kv310_controller_class;

class gui_class : public gui_base_class {
    Q_OBJECT
public:
    explicit gui_class(kv310_controller_class* controller, QWidget* parent = nullptr);
    ~gui_class() override;

    void setProjectField(xml_node* node) override;
    projectFieldTexts projectField() const override;
    void readSettings(xml_node* node) override;
    void showDeviceDst(bool active) override;
    void showDeviceCalibration(int value) override;

    QMenu* languageMenu = nullptr;
    QSignalMapper* languageMapper = nullptr;

private slots:
    void changeUiLanguage(int index);
};
