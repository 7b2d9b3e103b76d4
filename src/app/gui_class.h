#pragma once

#include "app/seams/gui_base.h"

class gui_class : public gui_base_class {
    Q_OBJECT
public:
    explicit gui_class(QWidget* parent = nullptr);
    ~gui_class() override;

    void setProjectField(xml_node* node) override;
    projectFieldTexts projectField() const override;
    void readSettings(xml_node* node) override;
    void showDeviceDst(bool active) override;
    void showDeviceCalibration(int value) override;
};
