#include "seams/gui_base.h"
#include "app/startup.h"
#include "simulator/sim_environment.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char** argv)
{
    installSimulatedBusFromEnvironment();
    // Takes the toolkit's own options out of argc/argv.
    QApplication app(argc, argv);
    installedLanguage = -1;
    requestedLanguage = -1;
    channelCount = 512;
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/xl_sh.png")));

    const QString directory = QDir::currentPath();
    const languageChoice choice = chooseStartLanguage(
        directory, findProgramTranslationFiles(directory, QCoreApplication::applicationDirPath()));
    languageList = choice.languages;
    requestedLanguage = choice.requested;

    theMainWindow = nullptr;
    theVisualProject = nullptr;
    kv310_controller_class controller;
    theController = &controller;
    v_project visualProject;
    theVisualProject = &visualProject;

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    commandLineSink sink;
    // The configuration files are read in their order as the first window
    // is built, before it appears, so that it shows the last file read.
    QStringList configFiles;
    sink.configFile = [&configFiles](const QString& name) { configFiles.append(name); };
    sink.libraryFile = [](const QString& name) { theVisualProject->libraryFile = name; };
    sink.projectFile = [](const QString& name) { theVisualProject->projectFile = name; };
    scanCommandLine(arguments, sink);

    const int result = runRebuildLoop(&controller, configFiles);
    theVisualProject = nullptr;
    theController = nullptr;
    return result;
}
