#include "device_factory.h"

#include "t_threadDevice.h"

t_threadDevice* createControllerDevice()
{
    return new t_threadDevice();
}
