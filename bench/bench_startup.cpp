// Start-up of the program's main window, without a show and with a full show
// loaded from a configuration file named by -c, against a bare Qt window, all
// in fresh processes on the offscreen platform: the time from starting the
// process until the first frame of the window has been painted (medians of
// the runs, the three kinds taking turns), and until the window takes input,
// that is once the work its first frame queued is done. Then, in this
// process: one rebuild of the main window after a change of the
// user-interface language, until it takes input and until it has every
// page, without a show and with the full show; a full configuration file read into an open window, as the program
// leaves it after its start and with every page built; and, in fresh
// processes, the resident memory of a window with every page built, without
// a show and with the full show.
//
//   bench_startup [runs]
//
// The process starts itself in the roles "bare", "main" and "memory"; the
// first two print "shown" once their window's first frame is painted and
// "ready" once the window takes input, the last its resident memory. To
// profile a role, save the show it reads with "bench_startup save <file>"
// and run "bench_startup main -c <file>". The bench runs on the program
// before its windows built their pages on demand too (see openWith).

#include "bench_dialogs.h"
#include "bench_timing.h"

#include "app/gui_class.h"
#include "app/startup.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "model/clear_flags.h"
#include "support/sample_show.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
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

// The bench runs on the program as it is and as it was before its windows
// built their pages on demand: then the -c files were read as they came,
// before the window existed, and a window took input once it had completed
// itself after its first frame. These pick whichever the program offers.
template <typename C>
auto openWith(C* controller, const QStringList& files, int) -> decltype(openMainWindow(controller, files))
{
    return openMainWindow(controller, files);
}

template <typename C>
gui_class* openWith(C* controller, const QStringList& files, long)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (i == 0)
            controller->readFirstConfiguration(files.at(i));
        else
            controller->read_confDataFromFile(files.at(i));
    }
    return openMainWindow(controller);
}

// The window as the program opens it, over the configuration files named with -c.
gui_class* openWindow(kv310_controller_class* controller, const QStringList& files = {})
{
    return openWith(controller, files, 0);
}

template <typename W>
auto startedWindow(const W* window, int) -> decltype(window->hasStarted())
{
    return window->hasStarted();
}

template <typename W>
bool startedWindow(const W* window, long)
{
    return window->isComplete();
}

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

// The configuration files named with -c, as main collects them.
QStringList configFilesOf(const QStringList& arguments)
{
    QStringList files;
    commandLineSink sink;
    sink.configFile = [&files](const QString& name) { files.append(name); };
    scanCommandLine(arguments, sink);
    return files;
}

// The program's objects as main makes them and publishes them, with the
// configuration files named with -c; the window is the caller's.
struct programObjects {
    programObjects(int& argc, char** argv) : app(argc, argv)
    {
        installDialogSeam(&quiet);
        channelCount = 512;
        languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
        theController = &controller;
        theVisualProject = &project;
        files = configFilesOf(QCoreApplication::arguments().mid(1));
    }
    ~programObjects()
    {
        theMainWindow = nullptr;
        theVisualProject = nullptr;
        theController = nullptr;
        installDialogSeam(nullptr);
    }
    programObjects(const programObjects&) = delete;
    programObjects& operator=(const programObjects&) = delete;

    QApplication app;
    benchDialogs::quietDialogs quiet;
    kv310_controller_class controller;
    v_project project;
    QStringList files;
};

int runMain(int argc, char** argv)
{
    programObjects program(argc, argv);
    // The window as the program opens it.
    std::unique_ptr<gui_class> window(openWindow(&program.controller, program.files));
    firstFrameAnnouncer announcer(window.get(), [] {
        announce("ready\n");
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    return 0;
}

// A number as text, nothing where the text is none.
std::optional<double> numberIn(const QByteArray& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// Resident memory of this process, in MiB; nothing where the system does
// not tell it.
std::optional<double> residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : status.readAll().split('\n')) {
        // "VmRSS:     50412 kB"
        if (line.startsWith("VmRSS:")) {
            const std::optional<double> kib = numberIn(line.mid(6).trimmed().split(' ').first());
            return kib ? std::optional<double>(*kib / 1024.0) : std::nullopt;
        }
    }
    return std::nullopt;
}

// Waits until the window has done what its first frame queued.
void waitUntilStarted(gui_class* window)
{
    QElapsedTimer timer;
    timer.start();
    while (!startedWindow(window, 0) && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// A window with every page built, as the program may come to have it.
int runMemory(int argc, char** argv)
{
    programObjects program(argc, argv);
    std::unique_ptr<gui_class> window(openWindow(&program.controller, program.files));
    waitUntilStarted(window.get());
    window->completeWindow();
    QCoreApplication::processEvents();
    const std::optional<double> mib = residentMiB();
    if (!mib)
        return 1;
    std::printf("%.1f\n", *mib);
    std::fflush(stdout);
    return 0;
}

struct startupTimes {
    double shown = -1;  // the first frame is on the screen; negative if never reported
    double ready = -1;  // the window takes input; negative if never reported
};

// Starts this program in a role on the offscreen platform.
void startChild(QProcess& child, const QString& program, const QString& role, const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(program, QStringList{role} + arguments);
}

// Milliseconds from starting a child in the role until it reports its window.
startupTimes childStartup(const QString& program, const QString& role, const QStringList& arguments = {})
{
    QProcess child;
    QElapsedTimer timer;
    timer.start();
    startChild(child, program, role, arguments);
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

// Resident memory of a child whose window has every page built; nothing
// where the child did not tell it.
std::optional<double> childMemory(const QString& program, const QStringList& arguments = {})
{
    QProcess child;
    startChild(child, program, QStringLiteral("memory"), arguments);
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return std::nullopt;
    return numberIn(child.readAllStandardOutput().trimmed());
}

struct windowTimes {
    double rebuild = 0;         // a language change's new window, until it takes input
    double rebuildComplete = 0; // ... and until it has every page
    double readIntoStarted = 0; // a full file read into the window as its start leaves it
    double readIntoComplete = 0;// ... into a window with every page built
    double rebuildFull = 0;     // a language change's new window over the full show, until it takes input
    double rebuildFullComplete = 0; // ... and until it has every page
};

windowTimes windowWork(int argc, char** argv, int runs, const QString& show)
{
    programObjects program(argc, argv);
    kv310_controller_class& controller = program.controller;
    windowTimes times;

    gui_class* window = openWindow(&controller);
    waitUntilStarted(window);
    // What main does for a new language: let the window go, build and show
    // the next one; then, when asked, build every page of it.
    const auto rebuild = [&](bool everyPage) {
        return benchTiming::medianOf(runs, [&] {
            retireMainWindow(window);
            window = openWindow(&controller);
            waitUntilStarted(window);
            if (everyPage)
                window->completeWindow();
        });
    };
    times.rebuild = rebuild(false);
    times.rebuildComplete = rebuild(true);

    const auto readInto = [&](bool everyPage) {
        return benchTiming::timeOf(
            runs,
            [&](int) {
                controller.read_confDataFromFile(show);
                QCoreApplication::processEvents();
            },
            [&](int) {
                retireMainWindow(window);
                controller.ClearConfig(CLEAR_ALL);
                window = openWindow(&controller);
                waitUntilStarted(window);
                if (everyPage)
                    window->completeWindow();
                QCoreApplication::processEvents();
            });
    };
    times.readIntoStarted = readInto(false);
    times.readIntoComplete = readInto(true);

    // The window now shows the full show it read.
    times.rebuildFull = rebuild(false);
    times.rebuildFullComplete = rebuild(true);
    retireMainWindow(window);
    return times;
}

// The full sample show as a configuration file.
bool saveFullShow(int argc, char** argv, const QString& file)
{
    QCoreApplication app(argc, argv);
    benchDialogs::quietDialogs quiet;
    installDialogSeam(&quiet);
    kv310_controller_class c;
    sampleShow::build(c, sampleShow::full);
    c.write_confDataToFile(file, false);
    installDialogSeam(nullptr);
    return !quiet.problems;
}

}  // namespace

int main(int argc, char** argv)
{
    // The show the children read, kept for a profiler: bench_startup save <file>
    if (argc > 2 && qstrcmp(argv[1], "save") == 0)
        return saveFullShow(argc, argv, QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (argc > 1 && qstrcmp(argv[1], "bare") == 0)
        return runBare(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "main") == 0)
        return runMain(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "memory") == 0)
        return runMemory(argc, argv);

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    const QString program = QString::fromLocal8Bit(argv[0]);

    // The full show, saved once as the file the children load with -c.
    QTemporaryDir dir;
    const QString show = dir.filePath(QStringLiteral("show.31xcfg"));
    if (!saveFullShow(argc, argv, show)) {
        std::fprintf(stderr, "the show could not be saved\n");
        return 1;
    }

    std::vector<double> bare, empty, full, emptyReady, fullReady;
    for (int i = 0; i < runs; ++i) {
        const startupTimes a = childStartup(program, QStringLiteral("bare"));
        const startupTimes e = childStartup(program, QStringLiteral("main"));
        const startupTimes f = childStartup(program, QStringLiteral("main"), {QStringLiteral("-c"), show});
        // A child that never reported its window would count as instant.
        if (a.shown < 0 || e.shown < 0 || e.ready < 0 || f.shown < 0 || f.ready < 0) {
            std::fprintf(stderr, "a window did not report its first frame or its readiness (run %d)\n", i + 1);
            return 1;
        }
        bare.push_back(a.shown);
        empty.push_back(e.shown);
        emptyReady.push_back(e.ready);
        full.push_back(f.shown);
        fullReady.push_back(f.ready);
    }
    using benchTiming::median;
    const double b = median(bare);
    const double e = median(empty);
    const double m = median(full);
    const double er = median(emptyReady);
    const double mr = median(fullReady);
    std::printf("medians of %d runs\n", runs);
    std::printf("bare window shown:                        %8.1f ms\n", b);
    std::printf("main window shown without a show:         %8.1f ms   %.2f x bare (goal: at most 2.0)\n", e, e / b);
    std::printf("main window shown with a full show (-c):  %8.1f ms   %.2f x bare (goal: at most 3.0)\n", m, m / b);
    std::printf("  ... taking input, without a show:       %8.1f ms   %.2f x bare\n", er, er / b);
    std::printf("  ... taking input, with a full show:     %8.1f ms   %.2f x bare (goal: at most 4.0)\n", mr, mr / b);

    const std::optional<double> memoryEmpty = childMemory(program);
    const std::optional<double> memoryFull = childMemory(program, {QStringLiteral("-c"), show});
    if (!memoryEmpty || !memoryFull) {
        std::fprintf(stderr, "the resident memory of a window could not be read\n");
        return 1;
    }
    std::printf("resident memory, every page built, no show:    %6.1f MiB\n", *memoryEmpty);
    std::printf("resident memory, every page built, full show:  %6.1f MiB\n", *memoryFull);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    const windowTimes w = windowWork(argc, argv, runs, show);
    std::printf("rebuild after a language change, until it takes input: %8.1f ms\n", w.rebuild);
    std::printf("  ... and until it has every page:                      %8.1f ms\n", w.rebuildComplete);
    std::printf("  ... with a full show, until it takes input:           %8.1f ms\n", w.rebuildFull);
    std::printf("  ... with a full show, until it has every page:        %8.1f ms\n", w.rebuildFullComplete);
    std::printf("full file read into the window as started:             %8.1f ms\n", w.readIntoStarted);
    std::printf("full file read into a window with every page built:    %8.1f ms\n", w.readIntoComplete);
    return 0;
}
