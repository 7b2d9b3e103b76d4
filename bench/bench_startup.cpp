// Start-up of the program's main window, without a show and with a full show
// loaded from a configuration file named by -c, against a bare Qt window, all
// in fresh processes on the offscreen platform: the time from starting the
// process until the window has been shown (medians of the runs, the three
// kinds taking turns). Then the time of one rebuild of the main window after
// a change of the user-interface language.
//
//   bench_startup [runs]
//
// The process starts itself in the roles "bare" and "main"; each child
// prints "shown" once its window is up and exits.

#include "bench_dialogs.h"

#include "app/gui_class.h"
#include "app/startup.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "support/sample_show.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <cstdio>
#include <vector>

namespace {

int announceShown()
{
    QTimer::singleShot(0, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

int runBare(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1072, 752);
    window.show();
    return announceShown();
}

int runMain(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchDialogs::quietDialogs quiet;
    installDialogSeam(&quiet);
    channelCount = 512;
    languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
    kv310_controller_class controller;
    theController = &controller;
    v_project project;
    theVisualProject = &project;
    const QStringList arguments = QCoreApplication::arguments();
    commandLineSink sink;
    bool first = true;
    sink.configFile = [&first](const QString& name) {
        if (std::exchange(first, false))
            theController->readFirstConfiguration(name);
        else
            theController->read_confDataFromFile(name);
    };
    scanCommandLine(arguments.mid(1), sink);
    int result = 0;
    {
        gui_class window(&controller, nullptr);
        theMainWindow = &window;
        window.show();
        result = announceShown();
    }
    theVisualProject = nullptr;
    theController = nullptr;
    return result;
}

// Milliseconds from starting a child in the role until it reports its window.
double childStartup(const QString& program, const QString& role, const QStringList& arguments = {})
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(program, QStringList{role} + arguments);
    while (child.state() != QProcess::NotRunning || child.bytesAvailable() > 0) {
        if (child.canReadLine() && child.readLine().startsWith("shown"))
            break;
        child.waitForReadyRead(5000);
        if (timer.elapsed() > 60000)
            break;
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    child.waitForFinished(10000);
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double rebuildTime(int argc, char** argv, int runs)
{
    QApplication app(argc, argv);
    languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
    kv310_controller_class controller;
    theController = &controller;
    v_project project;
    theVisualProject = &project;
    auto* window = new gui_class(&controller, nullptr);
    theMainWindow = window;
    window->show();
    QCoreApplication::processEvents();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        // What main does for a new language: close the monitors, drop the
        // window, build and show the next one.
        window->monitor->closeMonitors(MONITOR_FLAG_ALL);
        window->hide();
        delete window;
        theMainWindow = nullptr;
        window = new gui_class(&controller, nullptr);
        theMainWindow = window;
        window->show();
        QCoreApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    delete window;
    theVisualProject = nullptr;
    theController = nullptr;
    return median(times);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "bare") == 0)
        return runBare(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "main") == 0)
        return runMain(argc, argv);

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    const QString program = QString::fromLocal8Bit(argv[0]);

    // The full show, saved once as the file the children load with -c.
    QTemporaryDir dir;
    const QString show = dir.filePath(QStringLiteral("show.31xcfg"));
    {
        QCoreApplication app(argc, argv);
        benchDialogs::quietDialogs quiet;
        installDialogSeam(&quiet);
        kv310_controller_class c;
        sampleShow::build(c, sampleShow::full);
        c.write_confDataToFile(show, false);
        installDialogSeam(nullptr);
        if (quiet.problems) {
            std::fprintf(stderr, "the show could not be saved\n");
            return 1;
        }
    }

    std::vector<double> bare, empty, full;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(childStartup(program, QStringLiteral("bare")));
        empty.push_back(childStartup(program, QStringLiteral("main")));
        full.push_back(childStartup(program, QStringLiteral("main"), {QStringLiteral("-c"), show}));
    }
    const double b = median(bare);
    const double e = median(empty);
    const double m = median(full);
    std::printf("medians of %d runs\n", runs);
    std::printf("bare window shown:                        %8.1f ms\n", b);
    std::printf("main window shown without a show:         %8.1f ms   %.2f x bare (goal: at most 1.5)\n", e, e / b);
    std::printf("main window shown with a full show (-c):  %8.1f ms   %.2f x bare (goal: at most 2.5)\n", m, m / b);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    const double r = rebuildTime(argc, argv, runs);
    std::printf("rebuild after a language change: %8.1f ms (median of %d)\n", r, runs);
    return 0;
}
