#pragma once

#include "ui_sc_no_dlg.h"

#include <QDialog>

// The scene chooser of the visualisation window: a scene, or a program and
// one of its steps (whose scene it shows as the user moves), or in the
// compound mode an active-scene range and its static or in-motion picture.
// Numbers are shown 1-based and reported 0-based; the dialog changes
// nothing itself, it reports the choice on OK.
class scNoDlg : public QDialog, public Ui::scNoDlg {
    Q_OBJECT
public:
    // For the visual project's window in its present mode, showing
    // sceneNumber.
    scNoDlg(int sceneNumber, QWidget* parent);

signals:
    // Scene 0-based, or a compound number; program and step 0-based, -1
    // when no program step was chosen.
    void setScene(int scene, int program, int step);
    // Compound mode: range 0..15, motion 0 static, 1 in motion.
    void setAScene(int range, int motion);

public slots:
    void koniec();
    void sceneChanged(int value);
    void pgmChanged(int a);
    void stepChanged(int a);

private:
    // The step box for a program of n steps: "----" alone without steps.
    void setStepRange(int n);
    // Shows the scene of the program step in the scene box without taking
    // it for a scene typed by the user.
    void showStepScene(int program, int step);

    bool compound = false;
};
