#pragma once

#include "monitor/monitor_flags.h"
#include "monitor/time_count.h"

#include <QGroupBox>
#include <QList>
#include <QPointer>

#include <cstdint>

class QLabel;
class QPalette;
class QPushButton;
class QSpinBox;
class pokaz;

// The "Controller Monitoring" panel of the general settings page. It opens
// and closes the four monitor windows (inputs, input DMX values, output DMX
// values, internal states), owns them and the pacing thread, and polls the
// controller for the open windows whenever the thread announces a poll.
// Every read and redraw runs in the GUI thread.
class ctrl_monitor : public QGroupBox {
    Q_OBJECT
public:
    explicit ctrl_monitor(QWidget* parent);
    ~ctrl_monitor() override;

    QPushButton* showInputsButton;
    QPushButton* showDmxInButton;
    QPushButton* showDmxOutButton;
    QPushButton* showStatesButton;
    QLabel* refreshLabel;
    QSpinBox* refreshSpin;  // the period in hundreds of milliseconds
    timeCount_class pollTimer;
    uint16_t monitorFlags = 0;  // bit set of the open windows
    // The open windows; null when closed. The output window's buffer is the
    // live visualisation's source while the window exists.
    QPointer<pokaz> inputsWindow;
    QPointer<pokaz> dmxInWindow;
    QPointer<pokaz> dmxOutWindow;
    QPointer<pokaz> statesWindow;
    // Backgrounds of the DMX value cells: value v is drawn on palette v / 4.
    QList<QPalette*> valuePalettes;
    int stateTextUpdates = 0;  // redraw requests from outside so far

    // Fills a new DMX value window's table with its 512 cells.
    void buildValueGrid(pokaz* window);

signals:
    void clrMenu(uint16_t flags);
    void forceRefresh();
    // After every successful read of the output DMX values.
    void countTick();

public slots:
    void changeRefresh(int v);
    // Each opens its window, or closes it when it is open.
    void shInputsClicked();
    void shDmxInClicked();
    void shDmxOutClicked();
    void shStatesClicked();
    void stopShInputs();
    void stopShDmxIn();
    void stopShDmxOut();
    void stopShStates();
    // Closes the open windows named by the flags and re-enables their
    // buttons; then tells the visible page and the menu.
    void closeMonitors(uint16_t flags);
    // closeMonitors, and the windows are gone when it returns rather than
    // once events are served: what their going tells (the output window's
    // closed(false), which ends the scene page's DMX transparency) reaches
    // the caller's world as it is, the link still up and the page still there.
    void closeMonitorsAtOnce(uint16_t flags);
    void connChange(bool connected);
    // One poll of the open windows, announced by the pacing thread.
    void reload();
    // Redraws the open windows of the flags from the data they hold.
    void updateStateTexts(uint16_t flags);

private:
    // The first steps every opening shares: true when the window of the flag
    // is to be opened, false when it was open (and is now closed) or the
    // controller is not connected.
    bool mayOpen(uint16_t flag);
    // The last steps: the button disabled, polling resumed, the bit set.
    void markOpen(uint16_t flag);
    void openValueWindow(uint16_t flag);
    void redraw(uint16_t flags);
    void redrawInputs();
    void redrawValues(pokaz* window);
    void redrawStates();
    // Takes one poll's data into a window and shows it when it is due.
    void takeInputLevels(uint32_t levels);
    void takeValues(pokaz* window, const uint8_t* values);
    QPushButton* buttonOf(uint16_t flag) const;
};
