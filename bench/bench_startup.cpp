// Start-up of the program's main window, without a show and with a full show
// loaded from a configuration file named by -c, against a bare Qt window, all
// in fresh processes on the offscreen platform: the time from starting the
// process until the first frame of the window has been painted (medians of
// the runs, the three kinds taking turns), and until the main window has all
// its pages and takes input. Then the time of one rebuild of the main window
// after a change of the user-interface language.
//
//   bench_startup [runs]
//
// The process starts itself in the roles "bare" and "main"; each child
// prints "shown" once its window's first frame is painted, "ready" once the
// window is complete, and exits.

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
#include <functional>
#include <memory>
#include <cstdio>
#include <vector>

namespace {

void announce(const char* line)
{
    std::fputs(line, stdout);
    std::fflush(stdout);
}

// Says "shown" once the first frame of the window is through, then calls
// `then` from the event loop.
class firstFrameAnnouncer : public QObject {
public:
    firstFrameAnnouncer(QWidget* window, std::function<void()> then) : window(window), then(std::move(then))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == window) {
            window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] {
                announce("shown\n");
                // Queued behind whatever the first frame queued.
                QMetaObject::invokeMethod(this, then, Qt::QueuedConnection);
            }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* window;
    std::function<void()> then;
};

// Both roles say "shown" once the first frame of their window is painted
// and "ready" once the window is complete and takes input.
int runBare(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1072, 752);
    firstFrameAnnouncer announcer(&window, [] {
        announce("ready\n");
        QCoreApplication::exit(0);
    });
    window.show();
    return QApplication::exec();
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
    sink.configFile = configFileReader();
    scanCommandLine(arguments.mid(1), sink);
    {
        // The window as the program opens it.
        std::unique_ptr<gui_class> window(openMainWindow(&controller));
        gui_class* w = window.get();
        firstFrameAnnouncer announcer(w, [w] {
            if (!w->isComplete())
                std::fputs("the window was not complete after its first frame\n", stderr);
            announce("ready\n");
            QCoreApplication::exit(0);
        });
        QApplication::exec();
    }
    theMainWindow = nullptr;
    theVisualProject = nullptr;
    theController = nullptr;
    return 0;
}

struct startupTimes {
    double shown = 0;  // the first frame is on the screen
    double ready = 0;  // the window takes input
};

// Milliseconds from starting a child in the role until it reports its window.
startupTimes childStartup(const QString& program, const QString& role, const QStringList& arguments = {})
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(program, QStringList{role} + arguments);
    startupTimes times;
    while (child.state() != QProcess::NotRunning || child.bytesAvailable() > 0) {
        if (child.canReadLine()) {
            const QByteArray line = child.readLine();
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            if (line.startsWith("shown"))
                times.shown = ms;
            if (line.startsWith("ready")) {
                times.ready = ms;
                break;
            }
            continue;
        }
        child.waitForReadyRead(5000);
        if (timer.elapsed() > 60000)
            break;
    }
    child.waitForFinished(10000);
    return times;
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
    gui_class* window = openMainWindow(&controller);
    while (!window->isComplete())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
        window = openMainWindow(&controller);
        while (!window->isComplete())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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

    std::vector<double> bare, empty, full, emptyReady, fullReady;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(childStartup(program, QStringLiteral("bare")).shown);
        const startupTimes e = childStartup(program, QStringLiteral("main"));
        empty.push_back(e.shown);
        emptyReady.push_back(e.ready);
        const startupTimes f = childStartup(program, QStringLiteral("main"), {QStringLiteral("-c"), show});
        full.push_back(f.shown);
        fullReady.push_back(f.ready);
    }
    const double b = median(bare);
    const double e = median(empty);
    const double m = median(full);
    const double er = median(emptyReady);
    const double mr = median(fullReady);
    std::printf("medians of %d runs\n", runs);
    std::printf("bare window shown:                        %8.1f ms\n", b);
    std::printf("main window shown without a show:         %8.1f ms   %.2f x bare (goal: at most 1.5)\n", e, e / b);
    std::printf("main window shown with a full show (-c):  %8.1f ms   %.2f x bare (goal: at most 2.5)\n", m, m / b);
    std::printf("  ... taking input, without a show:       %8.1f ms   %.2f x bare\n", er, er / b);
    std::printf("  ... taking input, with a full show:     %8.1f ms   %.2f x bare\n", mr, mr / b);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    const double r = rebuildTime(argc, argv, runs);
    std::printf("rebuild after a language change: %8.1f ms (median of %d)\n", r, runs);
    return 0;
}
