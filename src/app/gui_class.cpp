#include "gui_class.h"

gui_class::gui_class(QWidget* parent)
    : gui_base_class(parent)
{
    theMainWindow = this;
    setWindowTitle(QStringLiteral("KvOrbit310+"));
    resize(1070, 749);
}

gui_class::~gui_class() = default;

void gui_class::setProjectField(xml_node*) {}
projectFieldTexts gui_class::projectField() const
{
    projectFieldTexts t;
    t.width = QStringLiteral("1000");
    t.height = QStringLiteral("1000");
    return t;
}
void gui_class::readSettings(xml_node*) {}
void gui_class::showDeviceDst(bool) {}
void gui_class::showDeviceCalibration(int) {}
