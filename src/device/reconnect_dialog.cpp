#include "reconnect_dialog.h"

#include "transport/t_threadDevice.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

reconnectDialog::reconnectDialog(const QStringList& serialList, t_threadDevice* dev, QWidget* parent)
    : QDialog(parent)
    , device(dev)
{
    setWindowTitle(tr("Device not connected!"));
    setFixedSize(360, 140);
    if (parent) {
        const QPoint centre = parent->geometry().center();
        move(centre.x() - 180, centre.y() - 50);
    }

    auto* label = new QLabel(this);
    // The dialog's whole width: the message is about as wide as the dialog.
    label->setGeometry(10, 20, 340, 40);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setText(tr("Previously connected controller is no longer available!")
                   + tr("\nRetry or choose another device to connect."));

    serials = new QComboBox(this);
    // Wide enough for a whole serial number beside the arrow, still centred.
    serials->setGeometry(100, 60, 160, 24);
    serials->addItems(serialList);

    auto* retry = new QPushButton(tr("Retry"), this);
    retry->setGeometry(30, 100, 80, 24);
    retry->setObjectName(QStringLiteral("retryButton"));
    auto* change = new QPushButton(tr("Change"), this);
    change->setGeometry(140, 100, 80, 24);
    change->setObjectName(QStringLiteral("changeButton"));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setGeometry(250, 100, 80, 24);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setDefault(true);

    connect(retry, &QPushButton::clicked, this, &QDialog::accept);
    connect(change, &QPushButton::clicked, this, &reconnectDialog::reconnect);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void reconnectDialog::reconnect()
{
    if (device)
        device->setSerial(serials->currentText());
    accept();
}
