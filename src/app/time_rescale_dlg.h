#pragma once

#include "ui_time_rescale_dlg.h"

#include <QDialog>

// Stretches or shrinks every time of the show: slider positions -50..50 give
// rates from 100 times faster to 100 times slower; OK applies the rate.
class timeRescaleDlg : public QDialog, public Ui_dgTimeRescale {
    Q_OBJECT
public:
    explicit timeRescaleDlg(QWidget* parent = nullptr);

    // 100^(|position|/50) in single precision.
    static float rate(int position);
    // The factor every time is multiplied by: the rate for a positive
    // position, its inverse for a negative one, 1 at 0.
    static float factor(int position);

public slots:
    void change(int);
    void doRescale();
};
