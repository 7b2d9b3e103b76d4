#include "visualisation/sc_no_dlg.h"

#include "visualisation/kv_vgraph.h"

#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "seams/gui_base.h"

namespace {

int stepCountOf(int program)
{
    return theController ? theController->programs.stepCount(program) : -1;
}

int sceneOf(int program, int step)
{
    return theController ? theController->programs.scene(program, step) : -1;
}

}  // namespace

scNoDlg::scNoDlg(int sceneNumber, QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
    const v_project* vp = theVisualProject;
    auto* window = vp ? qobject_cast<kvVGraph_class*>(vp->graphWindow) : nullptr;
    compound = window && window->lightMode == LIGHT_MODE_COMPOUND;

    if (compound) {
        sbScNo->setRange(1, 16);
        sbScNo->setValue((sceneNumber - FIRST_COMPOUND_SCENE) / 2 + 1);
        lbChoose->setText(tr("Choose active scenes control range"));
        setWindowTitle(tr("Choose range and mode"));
        cbIsStatic->setChecked(sceneNumber % 2 == 0);
        sbProgram->hide();
        sbProgram->setValue(0);
        sbStep->hide();
        lbSlash->hide();
        lbPgmStep->hide();
    } else {
        cbIsStatic->hide();
        sbScNo->setRange(1, 10240);
        sbScNo->setValue(sceneNumber + 1);
        sbProgram->setRange(0, 512);
        const int program = vp ? vp->programNumber : -1;
        sbProgram->setValue(program < 0 ? 0 : program + 1);
        setStepRange(program < 0 ? -1 : stepCountOf(program));
    }

    if (window)
        connect(this, &scNoDlg::setScene, window, &kvVGraph_class::changeScNo);
    connect(bBox, &QDialogButtonBox::accepted, this, &scNoDlg::koniec);
    connect(sbScNo, &QSpinBox::valueChanged, this, &scNoDlg::sceneChanged);
    if (compound) {
        if (gui_base_class* mainWindow = theMainWindow)
            connect(this, &scNoDlg::setAScene, mainWindow,
                    [mainWindow](int range, int motion) { mainWindow->showCompoundPicture(range, motion); });
    } else {
        connect(sbProgram, &QSpinBox::valueChanged, this, &scNoDlg::pgmChanged);
        connect(sbStep, &QSpinBox::valueChanged, this, &scNoDlg::stepChanged);
    }
}

void scNoDlg::setStepRange(int n)
{
    if (n < 1) {
        sbStep->setRange(0, 0);
        sbStep->setSpecialValueText(QStringLiteral("----"));
    } else {
        sbStep->setRange(1, n);
        sbStep->setSpecialValueText(QString());
    }
}

void scNoDlg::showStepScene(int program, int step)
{
    const int s = sceneOf(program, step);
    if (s < 0)
        return;
    disconnect(sbScNo, &QSpinBox::valueChanged, this, &scNoDlg::sceneChanged);
    sbScNo->setValue(s + 1);
    connect(sbScNo, &QSpinBox::valueChanged, this, &scNoDlg::sceneChanged);
}

void scNoDlg::sceneChanged(int)
{
    sbProgram->setValue(0);
    setStepRange(0);
}

void scNoDlg::pgmChanged(int a)
{
    setStepRange(a > 0 ? stepCountOf(a - 1) : -1);
    if (a != 0)
        showStepScene(a - 1, sbStep->value() - 1);
}

void scNoDlg::stepChanged(int a)
{
    if (a != 0)
        showStepScene(sbProgram->value() - 1, a - 1);
}

void scNoDlg::koniec()
{
    const int program = sbStep->value() != 0 ? sbProgram->value() : 0;
    int scene = sbScNo->value() - 1;
    if (compound) {
        const int motion = cbIsStatic->isChecked() ? 0 : 1;
        emit setAScene(scene, motion);
        scene = FIRST_COMPOUND_SCENE + 2 * scene + motion;
    }
    emit setScene(scene, program - 1, sbStep->value() - 1);
}
