#include "device/link_helpers.h"

#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "transport/link_clock.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"

#include <QtEndian>

bool readStatusWord(t_threadDevice* device, uint32_t* status)
{
    uint8_t answer[STATUS_ANSWER_SIZE] = {};
    if (device->controlRead(GET_STATUS, 0, 0, answer, STATUS_ANSWER_SIZE) < STATUS_ANSWER_SIZE)
        return false;
    *status = qFromLittleEndian<quint32>(answer);
    return true;
}

void usbMessage(QMessageBox::Icon icon, const QString& text)
{
    showMessage(icon, theMainWindow, kv310_controller_class::tr("USB Interface"), text, QMessageBox::Ok);
}

void pauseLink(int ms)
{
    theLinkClock().sleepMs(ms);
}

bool linkTimedOut(t_threadDevice* device)
{
    return device->timedOut();
}
