#pragma once

#include <QMessageBox>
#include <QString>
#include <cstdint>

class t_threadDevice;

// Pieces the device operations share. None of them drops the connection or
// tells the user on its own: each caller keeps its own policy for that.

// One GET_STATUS read: true with the status word, false when no whole answer came.
bool readStatusWord(t_threadDevice* device, uint32_t* status);

// A message box titled "USB Interface" on the main window.
void usbMessage(QMessageBox::Icon icon, const QString& text);

// Waits ms on the link clock.
void pauseLink(int ms);

// True when the device's last transfer ran into its time-out.
bool linkTimedOut(t_threadDevice* device);

// Asks up to `tries` times until `attempt` says the request went through,
// pausing `pauseMs` after each try that did not (0 = back to back). Returns
// the try that went through (1-based), or 0. A try that ran into its
// time-out ends the asking: the controller is not answering, and every
// further try would hold the window for another time-out.
template <typename Attempt>
int retryRequest(t_threadDevice* device, int tries, Attempt attempt, int pauseMs = 0)
{
    for (int i = 1; i <= tries; ++i) {
        if (attempt())
            return i;
        if (linkTimedOut(device))
            return 0;
        if (pauseMs > 0)
            pauseLink(pauseMs);
    }
    return 0;
}
