#pragma once

#include "ui_ctrl_chnls.h"
#include "ui_modi_func.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>

class QSignalMapper;
class lightEffect;

// One channel of a light-control dialog: its label, a slider and a spin box
// kept in step. A two-channel ("double") row spans 0..65535, the second
// channel being the high byte.
class designChnls : public QWidget, public Ui::modiFunc {
    Q_OBJECT
public:
    // fxChannel, fxChannel2: relocated 0-based channels within the fixture
    // (fxChannel2 -1 for a one-channel row); funcCode: the function code the
    // row drives.
    designChnls(int fxChannel, int fxChannel2, int value, int funcCode, const QString& label,
                QWidget* parent = nullptr);

    int16_t fxChannel;
    int16_t fxChannel2;
    int funcCode;
    // The second channel as the library numbers it (0-based, before
    // relocation): each fixture of a group relocates it by its own table.
    int doubleChannel = -1;

signals:
    // One change by the user, whichever of the two widgets made it.
    void sendVal();

public slots:
    void hsValueChanged(int v);
    void sbValueChanged(int v);
};

// The non-modal dialog that drives the light channels of one fixture, or of
// fixtures of one kind at once, into the DMX record the visualisation window
// shows. The first fixture's library item gives the rows. The dialog deletes
// itself when closed; while it has rows it is listed in the visual project's
// controlDialogs.
class ctrlEffects : public QDialog, public Ui::ctrlChnls {
    Q_OBJECT
public:
    // One fixture, named "Fixture <number>".
    ctrlEffects(lightEffect* fixture, QWidget* parent);
    // A set of fixtures with the same channel functions, named `groupName`.
    ctrlEffects(const QList<lightEffect*>& members, const QString& groupName, QWidget* parent);
    ~ctrlEffects() override;

    int rowCount() const { return int(rows.size()); }
    designChnls* row(int index) const { return rows.value(index); }
    // The dialog drives exactly these fixtures, in any order.
    bool controls(const QList<lightEffect*>& members) const;

    // Not owned. A fixture deleted while the dialog is open drops out.
    QList<QPointer<lightEffect>> ctrlFixtures;
    int colourRows[3] = {-1, -1, -1};  // rows of red, green and blue; -1 none
    QSignalMapper* mapper = nullptr;
    bool noChannels = false;

signals:
    void liveNewValue(int sc, int ch);
    void sceneRefresh();
    void aSceneRefresh();

public slots:
    // Writes the row's value into every fixture's channel of its function.
    void sendValue(int row);
    // Sets the red, green and blue rows from the colour dialog.
    void fullColorControl();
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setUp(const QList<lightEffect*>& list, const QString& name);
    // Off the visual project's list as soon as it closes, so that nobody
    // raises a dialog that is going.
    void leaveList();

    QList<designChnls*> rows;
};
