#pragma once

#include "ui_clear_conf_dialog.h"

#include <QDialog>
#include <cstdint>

// Lets the user choose categories of the configuration in memory to clear;
// "Yes!" hands their bits to the controller through clearByFlags.
class clearConf_dialog : public QDialog, public Ui::clearConf {
    Q_OBJECT
public:
    explicit clearConf_dialog(QWidget* parent = nullptr);

    // The category bits of the boxes checked now.
    uint32_t checkedFlags() const;
    // The bits handed to the controller by "Yes!"; 0 while nothing was cleared.
    uint32_t clearedFlags = 0;

signals:
    void clearByFlags(uint32_t flags);

public slots:
    void chgAll(int state);
    void chgScenes(int state);
    void chgProgs(int state);
    void clearExec();
};
