#pragma once

#include <QGroupBox>
#include <cstdint>

class QPushButton;

// Monitor window flags; 0xFFFF names all four.
enum monitorFlag : uint16_t {
    MONITOR_FLAG_INPUTS = 1,
    MONITOR_FLAG_DMX_IN = 2,
    MONITOR_FLAG_DMX_OUT = 4,
    MONITOR_FLAG_STATES = 8,
    MONITOR_FLAG_ALL = 0xFFFF
};

// The "Controller Monitoring" panel of the general settings page: it opens
// and closes the monitor windows and keeps a bit per open window.
class ctrl_monitor : public QGroupBox {
    Q_OBJECT
public:
    explicit ctrl_monitor(QWidget* parent);

    QPushButton* showInputsButton;
    QPushButton* showDmxInButton;
    QPushButton* showDmxOutButton;
    QPushButton* showStatesButton;
    uint16_t monitorFlags = 0;   // bit set of the open windows
    // Calls of updateStateTexts() so far; there are no monitor windows to
    // redraw yet, so the main window's tests count these.
    int stateTextUpdates = 0;

signals:
    void clrMenu(uint16_t flags);
    void forceRefresh();

public slots:
    // Closes the open windows named by the flags and re-enables their
    // buttons; then tells the menu and the visible page.
    void closeMonitors(uint16_t flags);
    // Each opens its window, or closes it when it is open.
    void shInputsClicked();
    void shDmxInClicked();
    void shDmxOutClicked();
    void shStatesClicked();
    // Redraws the open windows of the flags from the data they hold.
    void updateStateTexts(uint16_t flags);

private:
    void toggle(uint16_t flag);
    QPushButton* buttonOf(uint16_t flag) const;
};
