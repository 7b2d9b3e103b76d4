// Reads a 1 GB file (a hole behind the first lines of an honest file of its
// kind) with each reader of the program, as the user opens it, and prints
// the time and the process's peak memory before and after. Every reader
// refuses such a file at once: well under a second, and no memory beyond
// what the program had.
//
//   bench_big_files [kind...]   kinds: configuration library project language
//                               rcu sun sheet upgrade (default: all, one process
//                               each under /usr/bin/time -v shows the peak too)

#include "bench_dialogs.h"
#include "bench_timing.h"

#include "app/gui_class.h"
#include "app/startup.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "settings/asettings_ired_tab.h"
#include "simulator/sim_controller.h"
#include "transport/device_factory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr qint64 GIGABYTE = qint64(1) << 30;

long peakKilobytes()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool bigFile(const QString& path, const QByteArray& start)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(start) == start.size() && f.resize(GIGABYTE);
}

}  // namespace

int main(int argc, char** argv)
{
    benchDialogs::offscreenUnlessNamed();
    QApplication app(argc, argv);
    benchDialogs::installedQuietDialogs quiet;
    benchDialogs::quietDialogs& dialogs = quiet.dialogs;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    // The program's objects as main makes them, on a simulated bus so that
    // the upgrade finds its controller.
    simBus bus;
    bus.addController(QStringLiteral("01D30001-0001"), TYPE_WORD_CURRENT);
    installUsbBackend(&bus);
    auto controller = std::make_unique<kv310_controller_class>();
    theController = controller.get();
    auto project = std::make_unique<v_project>();
    theVisualProject = project.get();
    auto window = std::make_unique<gui_class>(controller.get(), nullptr);
    theMainWindow = window.get();
    controller->setConnection(true);

    const QString configuration = dir.filePath(QStringLiteral("start.31xcfg"));
    controller->write_confDataToFile(configuration, false);
    QFile written(configuration);
    const QByteArray configurationStart = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();

    struct kind {
        QByteArray start;
        std::function<void(const QString&)> read;
    };
    const std::map<std::string, kind> kinds{
        {"configuration", {configurationStart, [&](const QString& p) { controller->read_confDataFromFile(p); }}},
        {"library",
         {"<contents>Fixtures library</contents>\n<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n",
          [&](const QString& p) {
              window->libraryFileEdit->setText(p);
              window->readLibrary();
          }}},
        {"project",
         {"<contents>visualisation project</contents>\n<devices>\n<device nr=\"1\">\n",
          [&](const QString& p) {
              window->projectFileEdit->setText(p);
              window->readProject();
          }}},
        {"language",
         {"<ini device=\"Kv310+\">\n <lang>de</lang>\n",
          [&](const QString& p) {
              QFile::rename(p, dir.filePath(languageFileName()));
              readLanguageFile(dir.path());
          }}},
        {"rcu",
         {"<sysaddress>9</sysaddress>\n<buttons>\n",
          [&](const QString& p) { window->findChild<asettings_ired_tab*>()->readRcuFile(p); }}},
        {"sun", {"1;5:00;20:00\n2;5:01;20:01\n", [&](const QString& p) { controller->importSunTimes(p); }}},
        {"sheet",
         {"KVO DMX sheet\nscene;1\nC1;200\n",
          [&](const QString& p) {
              window->sceneEditor->sheetFileEdit->setText(p);
              window->sceneEditor->chooseFile();
          }}},
        {"upgrade", {"Kv310+UPG\r\nv_9.9.9\0", [&](const QString& p) { controller->upgradeFirmware(p); }}},
    };

    // The library must be there before a project is read.
    const QString library = dir.filePath(QStringLiteral("small.fxl"));
    QFile small(library);
    if (small.open(QIODevice::WriteOnly))
        small.write("<contents>Fixtures library</contents>\n");
    small.close();
    window->libraryFileEdit->setText(library);
    window->readLibrary();

    std::vector<std::string> chosen;
    for (int i = 1; i < argc; ++i)
        chosen.emplace_back(argv[i]);
    if (chosen.empty())
        for (const auto& k : kinds)
            chosen.push_back(k.first);

    std::printf("%-14s %10s %14s %14s %9s\n", "1 GB file", "ms", "peak before kB", "peak after kB", "messages");
    int status = 0;
    for (const std::string& name : chosen) {
        const auto k = kinds.find(name);
        if (k == kinds.end()) {
            std::fprintf(stderr, "no kind %s\n", name.c_str());
            return 2;
        }
        const QString path = dir.filePath(QStringLiteral("big"));
        if (!bigFile(path, k->second.start)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(path));
            return 1;
        }
        const long before = peakKilobytes();
        const int problems = dialogs.problems;
        const double ms = benchTiming::milliseconds([&] { k->second.read(path); });
        std::printf("%-14s %10.2f %14ld %14ld %9d\n", name.c_str(), ms, before, peakKilobytes(),
                    dialogs.problems - problems);
        QFile::remove(path);
        if (ms > 1000)
            status = 1;
    }

    window.reset();
    theMainWindow = nullptr;
    project.reset();
    theVisualProject = nullptr;
    controller.reset();
    theController = nullptr;
    installUsbBackend(nullptr);
    return status;
}
