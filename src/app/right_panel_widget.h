#pragma once

#include <QFrame>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;
class kv310_controller_class;

// The fixed column at the right of the main window: the configuration as a
// whole (send, read, save, open, clear), the connection and the working mode
// of the controller, and its clock, serial number and firmware version.
//
// The panel keeps no model data and no controller pointer: the constructor
// uses the controller only to connect the panel's requests to it, and the
// slots work on theController. Every connection delivers directly in the GUI
// thread, so a slot that emits a check signal runs the whole cascade (button
// toggles, the button's slot runs) before it goes on.
class right_panel_widget : public QFrame {
    Q_OBJECT
public:
    right_panel_widget(kv310_controller_class* controller, QWidget* parent);

    QPushButton* sendButton;        // "Send config to device"
    QPushButton* readButton;        // "Read config from device"
    QPushButton* saveFileButton;    // "Save config to file"
    QPushButton* readFileButton;    // "Read config from file"
    QPushButton* clearButton;       // "Clear config"; wired by the main window
    QPushButton* connectButton;     // "Connect with device"
    QPushButton* disconnectButton;  // "Disconnect device"
    QPushButton* restartButton;     // "Restart device"
    QPushButton* liveButton;        // checkable
    QPushButton* normalButton;      // checkable
    QPushButton* freezeButton;      // checkable; enabled while Normal is chosen
    QLabel* titleLabel;
    QLabel* controllerLabel;
    QLabel* statusCaption;
    QLabel* statusLabel;            // "Connected" / "Disconnected"
    QLabel* modeLabel;
    QLabel* clockLabel;             // the controller's clock
    QLabel* serialLabel;            // in infoBox
    QLabel* firmwareLabel;          // in infoBox
    QGroupBox* infoBox;             // coloured by the controller's run state

signals:
    void normalModeCheck(bool checked);
    void liveModeCheck(bool checked);
    void freezeModeCheck(bool checked);
    void setConnection(bool connection);
    void setWorkingMode(int mode);
    void turnOnSceneLive();
    void sendConfClicked();
    void readConfClicked();
    void saveConfToFileClicked(QString fileName, bool oldstyle);
    void readConfFromFileClicked(QString fileName);

public slots:
    // Mode buttons. Normal and Live cannot be unchecked by a click of their
    // own: once a mode is chosen, exactly one of them stays checked while a
    // controller is connected; without one, a click is undone at once.
    void normalModeChecked(bool checked);
    void liveModeChecked(bool checked);
    void freezeModeChecked(bool checked);
    void setConnectionStatus(bool connectionStatus);
    void connectButtonClicked(bool checked);
    void disconnectButtonClicked(bool checked);
    // Restarts the controller and reconnects to it (at most 20 tries).
    void resetButtonClicked(bool checked);
    void resetButtonClicked();
    // "Send config to device": packs the tables, checks the connection,
    // switches to Normal and hands over to the controller's transfer.
    void sendConfClick(bool a);
    // "Read config from device".
    void readConfClick(bool a);
    // "Save config to file": asks for a file name and hands it on.
    void saveConfToFileClick(bool a);
    void saveConfToFileClick();
    // "Read config from file": asks for a file, closes the auxiliary
    // windows and hands the name on.
    void readConfFromFileClick(bool a);

private:
    void report(const QString& text);
    // Checks or unchecks Freeze without asking the controller anything.
    void showFrozen(bool frozen);
    // Closes the monitor windows, and with them DMX transparency, while the
    // link is still up (the window's closeLiveViews).
    void closeMonitorWindows();
};
