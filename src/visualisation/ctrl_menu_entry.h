#pragma once

#include <QList>
#include <QString>

class QAction;
class lightEffect;

// One action of the visualisation's "light control by groups" menu and the
// fixtures it controls.
struct ctrlMenuEntry {
    QAction* action = nullptr;     // owned by the menu
    QList<lightEffect*> members;   // a copy of the fixtures the action controls; not owned
    QString name;                  // the group the action stands for
};
