#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class kv310_controller_class;

// The fixed column at the right of the main window: the configuration as a
// whole, the connection and the working mode of the controller, and its
// clock, serial number and firmware version.
class right_panel_widget : public QFrame {
    Q_OBJECT
public:
    right_panel_widget(kv310_controller_class* controller, QWidget* parent);

    QPushButton* clearButton;    // "Clear config"; wired by the main window
    QPushButton* liveButton;     // checkable
    QPushButton* normalButton;   // checkable
    QLabel* clockLabel;          // the controller's clock
    QLabel* serialLabel;         // in infoBox
    QLabel* firmwareLabel;       // in infoBox

signals:
    void turnOnSceneLive();
    void saveConfToFileClicked(QString fileName, bool oldstyle);
    void readConfFromFileClicked(QString fileName);

public slots:
    // "Save config to file": asks for a file name and hands it on.
    void saveConfToFileClick(bool a);
    void saveConfToFileClick();
    // "Read config from file": asks for a file, closes the auxiliary
    // windows and hands the name on.
    void readConfFromFileClick(bool a);
};
