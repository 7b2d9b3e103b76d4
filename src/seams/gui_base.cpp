#include "gui_base.h"

gui_base_class* theMainWindow = nullptr;

gui_base_class::~gui_base_class()
{
    if (theMainWindow == this)
        theMainWindow = nullptr;
}
