// The first visit of every tab of a window as the program opens it: once
// with the full sample show read at its start (-c), once without a show, the
// two taking turns in one process, each run with a controller and a visual
// project of its own as a fresh start has them. A visit is the choice of the
// tab and the events it queues (building, loading and painting the page).
// Beside it, what the fingerprint of unsaved work costs with the full show.
//
//   bench_tab_visits [runs]

#include "bench_dialogs.h"
#include "bench_timing.h"

#include "app/gui_class.h"
#include "app/startup.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "support/sample_show.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A tab to visit: the main tab, and in it the tab of its own tab widget
// (-1 where it has none, or for the one the main tab shows first).
struct tabStop {
    int main;
    int inner;
};

// Every tab but the scene page, which the window shows at its start, in
// the order a user reading the tabs from left to right chooses them.
const tabStop tabStops[] = {
    {0, -1}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {2, -1}, {3, -1}, {4, -1},
    {5, -1}, {6, -1}, {6, 1},  {7, -1}, {7, 1}, {7, 2}, {7, 3}, {7, 4}, {7, 5},
};
constexpr size_t STOPS = std::size(tabStops);

QTabWidget* innerTabs(gui_class* w, int main)
{
    switch (main) {
    case 0:
        return w->tabWidget_events;
    case 6:
        return w->tabWidget_actives;
    case 7:
        return w->tabWidget_settings;
    default:
        return nullptr;
    }
}

QString nameOf(gui_class* w, const tabStop& stop)
{
    QString name = w->tabWidget_main->tabText(stop.main);
    if (QTabWidget* inner = innerTabs(w, stop.main))
        name += QLatin1String(" / ") + inner->tabText(stop.inner < 0 ? inner->currentIndex() : stop.inner);
    return name.remove(QLatin1Char('&'));
}

void waitUntilStarted(gui_class* window)
{
    QElapsedTimer timer;
    timer.start();
    while (!window->hasStarted() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
}

// Whether the user can choose the tab: a disabled one they cannot.
bool canVisit(gui_class* w, const tabStop& stop)
{
    if (!w->tabWidget_main->isTabEnabled(stop.main))
        return false;
    QTabWidget* inner = innerTabs(w, stop.main);
    return stop.inner < 0 || inner->isTabEnabled(stop.inner);
}

constexpr double NOT_VISITED = -1;

// One start of the program, with the configuration files named with -c:
// the milliseconds of each first visit (NOT_VISITED for a tab the user
// cannot choose). `whileOpen` runs once the tabs are visited, before the
// window goes.
std::vector<double> firstVisits(const QStringList& files, std::vector<QString>* names = nullptr,
                                const std::function<void(kv310_controller_class&)>& whileOpen = {})
{
    auto controller = std::make_unique<kv310_controller_class>();
    auto project = std::make_unique<v_project>();
    theController = controller.get();
    theVisualProject = project.get();
    gui_class* window = openMainWindow(controller.get(), files);
    waitUntilStarted(window);

    std::vector<double> times;
    for (const tabStop& stop : tabStops) {
        if (names)
            names->push_back(nameOf(window, stop));
        if (!canVisit(window, stop)) {
            times.push_back(NOT_VISITED);
            continue;
        }
        times.push_back(benchTiming::milliseconds([&] {
            window->tabWidget_main->setCurrentIndex(stop.main);
            if (stop.inner >= 0)
                innerTabs(window, stop.main)->setCurrentIndex(stop.inner);
            QCoreApplication::processEvents();
        }));
    }
    if (whileOpen)
        whileOpen(*controller);
    retireMainWindow(window);
    theVisualProject = nullptr;
    theController = nullptr;
    return times;
}

// What the visits of the tabs `both` marks took together.
double sum(const std::vector<double>& v, const std::vector<bool>& both)
{
    double s = 0;
    for (size_t i = 0; i < v.size(); ++i)
        if (both[i])
            s += v[i];
    return s;
}

void printTime(double ms)
{
    if (ms < 0)
        std::printf(" %12s", "not enabled");
    else
        std::printf(" %9.1f ms", ms);
}

// The full sample show as a configuration file.
bool saveFullShow(const QString& file)
{
    kv310_controller_class c;
    sampleShow::build(c, sampleShow::full);
    c.write_confDataToFile(file, false);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    benchDialogs::offscreenUnlessNamed();
    QApplication app(argc, argv);
    benchDialogs::installedQuietDialogs quiet;
    const benchDialogs::quietDialogs& dialogs = quiet.dialogs;
    channelCount = 512;
    languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    QTemporaryDir dir;
    const QString show = dir.filePath(QStringLiteral("show.31xcfg"));
    saveFullShow(show);
    if (dialogs.problems) {
        std::fprintf(stderr, "the show could not be saved\n");
        return 1;
    }

    std::vector<QString> names;
    std::vector<std::vector<double>> empty(STOPS), full(STOPS);
    std::vector<double> emptyAll, fullAll, fingerprint;
    // One start of each first, untimed, so that both find the program's
    // code and the toolkit's caches as warm.
    firstVisits({});
    firstVisits({show});
    for (int r = 0; r < runs; ++r) {
        const std::vector<double> e = firstVisits({}, names.empty() ? &names : nullptr);
        const std::vector<double> f = firstVisits({show}, nullptr, [&](kv310_controller_class& c) {
            for (int i = 0; i < 3; ++i)
                fingerprint.push_back(benchTiming::milliseconds([&] { c.currentFingerprint(); }));
        });
        // The tabs are compared where the user can choose them with either show.
        std::vector<bool> both(STOPS);
        for (size_t s = 0; s < STOPS; ++s) {
            empty[s].push_back(e[s]);
            full[s].push_back(f[s]);
            both[s] = e[s] != NOT_VISITED && f[s] != NOT_VISITED;
        }
        emptyAll.push_back(sum(e, both));
        fullAll.push_back(sum(f, both));
    }
    if (dialogs.problems) {
        std::fprintf(stderr, "a start or a visit showed a failure\n");
        return 1;
    }

    using benchTiming::median;
    std::printf("first visit of each tab after the start, medians of %d runs\n", runs);
    std::printf("%-40s %12s %12s\n", "tab", "no show", "full show");
    for (size_t s = 0; s < STOPS; ++s) {
        std::printf("%-40s", qPrintable(names[s]));
        printTime(median(empty[s]));
        printTime(median(full[s]));
        std::printf("\n");
    }
    const double e = median(emptyAll);
    const double f = median(fullAll);
    std::printf("%-40s", "every tab enabled with both, once");
    printTime(e);
    printTime(f);
    std::printf("   %.2f x (goal: at most 1.5)\n", f / e);
    std::printf("fingerprint of unsaved work, full show:  %7.2f ms (goal: under 2)\n", median(fingerprint));
    return 0;
}
