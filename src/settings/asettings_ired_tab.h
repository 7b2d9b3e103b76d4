#pragma once

#include <QModelIndex>
#include <QString>
#include <QTabWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;

// The remote-control settings tab (settings tab "Remote Control"): the
// system address of the remote and, per button, its key code and
// description; learnt from the remote through the controller, read from and
// sent to the controller, and kept in ".rcu" files. The settings live in the
// controller object; the tab holds none of them. The main window's form
// creates it without a parent as the page of its tab, empty: its widgets
// are made when it is first shown, refreshed or used (build()), and loaded
// as they are made without touching the main window, which sets the
// remote-control events tab itself.
class asettings_ired_tab : public QTabWidget {
    Q_OBJECT
public:
    explicit asettings_ired_tab(QWidget* parent = nullptr);
    // Makes the tab's widgets and loads them, unless it has them.
    void build();
    bool isBuilt() const { return buttonView != nullptr; }

    // Reads a remote-control settings file into the controller, as "Read
    // from file" does once a name is chosen; false when it cannot be opened
    // or is refused (too big, or no remote-control settings at all), which
    // leaves every setting as it was.
    bool readRcuFile(const QString& fileName);
    // Writes the remote-control settings to a file, replacing it only when
    // it has been written whole; false (after telling the user) otherwise.
    bool writeRcuFile(const QString& fileName);
    // The current button (0..63), or -1 while no row is current.
    int currentButton() const;

    QTableView* buttonView = nullptr;
    QStandardItemModel* buttonModel = nullptr;
    QPushButton* readFileButton = nullptr;
    QPushButton* saveFileButton = nullptr;
    QPushButton* readDeviceButton = nullptr;
    QPushButton* sendDeviceButton = nullptr;
    QPushButton* clearButton = nullptr;
    QCheckBox* noRcuBox = nullptr;        // "Do not use RCU": "Set" stores no address
    QCheckBox* notUsedBox = nullptr;      // "Not used": "Set" stores no key code
    QGroupBox* addressGroup = nullptr;
    QGroupBox* buttonGroup = nullptr;
    QPushButton* getAddressButton = nullptr;
    QPushButton* setAddressButton = nullptr;
    QLabel* addressCaption = nullptr;
    QLabel* forcedCodeLabel = nullptr;
    QLabel* addressLabel = nullptr;       // the current address, or "undetermined"
    QLabel* descriptionCaption = nullptr;
    QSpinBox* addressSpin = nullptr;      // the address "Set" stores
    QSpinBox* codeSpin = nullptr;         // the key code "Set" stores
    QPushButton* getCodeButton = nullptr;
    QPushButton* setCodeButton = nullptr;
    QLineEdit* descriptionEdit = nullptr; // the current button's description
    QString lastRcuPath;        // the remote-control settings file written last
    int refreshCount = 0;       // reloads so far

public slots:
    void buttonChange(const QModelIndex& current, const QModelIndex& previous);
    void readRCUcfg();
    void saveRCUcfg();
    void clearRCUcfg();
    void forceAddr();
    void forceCode();
    void getCode();
    void getAddr();
    void useRCState(int state);
    void unusedState(int state);
    void readRCUdev();
    void disableDescEdition();

public:
    // Rebuilds the button rows and the address; the remote-control events
    // tab is usable only while a system address (0..31) is set.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The rows and the address as the controller holds them; the events tab
    // follows only when the window is told.
    void load(bool tellWindow);
    bool quiet = false;  // the events tab is left alone while the widgets are made
    // Column 2 of a row: the description cut to the column, or "no description".
    QString descriptionCell(int button) const;
    void enableEventsTab(bool enabled);
    // After a read of the settings: the events page and this tab show them.
    void settingsReloaded();
};
