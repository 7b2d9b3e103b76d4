#include "globals.h"

kv310_controller_class* theController = nullptr;
v_project* theVisualProject = nullptr;
int channelCount = 512;
