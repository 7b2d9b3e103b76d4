#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class t_threadDevice;

// Offered when the controller used before is gone but others are on the bus:
// "Retry" looks for the same controller again, "Change" makes the chosen one
// the wanted controller and looks for it, "Cancel" gives up.
class reconnectDialog : public QDialog {
    Q_OBJECT
public:
    // serials: the other controllers seen; device: gets the chosen serial.
    reconnectDialog(const QStringList& serials, t_threadDevice* device, QWidget* parent);

    QComboBox* serialBox() const { return serials; }

public slots:
    void reconnect();

private:
    QComboBox* serials;
    t_threadDevice* device;
};
