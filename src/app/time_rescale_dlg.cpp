#include "time_rescale_dlg.h"

#include "seams/dialog_seam.h"
#include "model/kv310_controller.h"

#include <cmath>
#include <cstdlib>

timeRescaleDlg::timeRescaleDlg(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
    connect(hsScale, &QSlider::valueChanged, this, &timeRescaleDlg::change);
    connect(this, &QDialog::accepted, this, &timeRescaleDlg::doRescale);
}

float timeRescaleDlg::rate(int position)
{
    return float(std::pow(10.0, 2.0 * std::abs(position) / 50.0));
}

float timeRescaleDlg::factor(int position)
{
    const float r = rate(position);
    return position < 0 ? 1.0f / r : r;
}

void timeRescaleDlg::change(int)
{
    const int position = hsScale->value();
    const QString r = QStringLiteral("%1").arg(double(rate(position)), 4, 'f', 2);
    if (position == 0)
        lbRate->setText(tr("No change"));
    else if (position < 0)
        lbRate->setText(tr("%1x faster").arg(r));
    else
        lbRate->setText(tr("%1x slower").arg(r));
}

void timeRescaleDlg::doRescale()
{
    const int position = hsScale->value();
    if (position == 0 || !theController)
        return;
    if (!theController->rescaleTimes(factor(position)))
        showMessage(QMessageBox::Warning, this, tr("Time scaling"), tr("Some limits were reached!"));
}
