#include "app/gui_class.h"
#include "device/sim/sim_environment.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    installSimulatedBusFromEnvironment();
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/xl_sh.png")));
    auto* window = new gui_class(nullptr);
    window->show();
    const int result = app.exec();
    delete window;
    return result;
}
