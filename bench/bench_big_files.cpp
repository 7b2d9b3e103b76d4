// Two parts.
//
// 1 GB files: reads a 1 GB file (a hole behind the first lines of an honest
// file of its kind) with each reader of the program, as the user opens it,
// and prints the time and the process's peak memory before and after. Every
// reader refuses such a file at once: well under a second, and no memory
// beyond what the program had.
//
//   bench_big_files [kind...]   kinds: configuration library project language
//                               rcu sun sheet upgrade (default: all, one process
//                               each under /usr/bin/time -v shows the peak too)
//
// Shapes: files within their kind's size bound (`fileLimit`; the text of
// the controller's project area up to the 64 MB its compressed form may
// expand to) in the shapes that cost a
// reader most: many small groups, devices, items or entries, one long line,
// deep nesting; and the largest real show (10,240 scenes, 256 masks and 512
// programs, every description filled, a visual project of 100,000 fixtures
// with their groups and library items), read and saved again. Each file is
// made first, then read by a process of its own, whose peak resident memory
// is that of the whole program reading it: below 1 GB, within 15 s.
//
//   bench_big_files shapes [shape...]   (default: every shape; "list" names them)
//   bench_big_files make shape dir      makes the files of a shape in dir and
//                                       prints the command that reads them, for
//                                       /usr/bin/time -v or a heap profiler

#include "bench_dialogs.h"
#include "bench_timing.h"

#include "app/gui_class.h"
#include "app/startup.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/compressed_block.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "seams/regular_file.h"
#include "settings/asettings_ired_tab.h"
#include "simulator/sim_controller.h"
#include "transport/device_factory.h"

#include "support/sample_show.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// ---- Shapes within the bounds ----------------------------------------------

constexpr qint64 MEGABYTE = qint64(1) << 20;

// Writes a file in pieces of a megabyte, so that making a big one costs
// little memory.
class pieceWriter {
public:
    explicit pieceWriter(const QString& path) : file(path) { ok = file.open(QIODevice::WriteOnly); }
    void put(const QByteArray& bytes)
    {
        buffer += bytes;
        if (buffer.size() >= MEGABYTE)
            flush();
    }
    qint64 size() const { return written + buffer.size(); }
    bool finish()
    {
        flush();
        file.close();
        return ok;
    }

private:
    void flush()
    {
        ok = ok && file.write(buffer) == buffer.size();
        written += buffer.size();
        buffer.clear();
    }
    QFile file;
    QByteArray buffer;
    qint64 written = 0;
    bool ok = false;
};

QByteArray number(qint64 n)
{
    return QByteArray::number(n);
}

// One library item as a fixture library holds it.
QByteArray itemText(int nr)
{
    return "<item nr=\"" + number(nr) + "\">\n<provider>Maker " + number(nr % 97) + "</provider>\n<model>Model "
           + number(nr) + "</model>\n<variant>V" + number(nr % 13)
           + "</variant>\n<geometry shape=\"circle\">\n<diameter>20</diameter>\n</geometry>\n<dmx>\n<range>2</range>\n"
             "<channel nr=\"1\">\n<function>dimmer</function>\n</channel>\n</dmx>\n</item>\n";
}

QByteArray deviceText(int nr, int item)
{
    return "<device nr=\"" + number(nr) + "\">\n<library>" + number(item) + "</library>\n<dmx>"
           + number(nr % 500 + 1) + "</dmx>\n<geometry>\n<x>" + number(nr % 1000) + "</x>\n<y>"
           + number(nr / 1000) + "</y>\n</geometry>\n</device>\n";
}

// The visual project of the largest real show: 100,000 fixtures of
// `models` fixture models (the library items the project holds), every
// other one selected, and 1,000 groups of 100.
void realVisualProject(pieceWriter& out, bool withLibrary, int models)
{
    constexpr int fixtures = 100000;
    if (withLibrary) {
        out.put("<library>\n");
        for (int i = 1; i <= models; ++i)
            out.put(itemText(i));
        out.put("</library>\n");
    }
    out.put("<devices>\n");
    for (int i = 1; i <= fixtures; ++i)
        out.put(deviceText(i, (i - 1) % models + 1));
    out.put("</devices>\n<groups>\n<group name=\"default\">\n");
    for (int i = 1; i <= fixtures; i += 2)
        out.put("<dev nr=\"" + number(i) + "\"></dev>\n");
    out.put("</group>\n");
    for (int g = 0; g < 1000; ++g) {
        out.put("<group name=\"Truss " + number(g + 1) + " &amp; wings\">\n");
        for (int i = 1; i <= 100; ++i)
            out.put("<dev nr=\"" + number(g * 100 + i) + "\"></dev>\n");
        out.put("</group>\n");
    }
    out.put("</groups>\n");
}

// What a shape repeats until its file is as big as its kind takes.
enum class body { groups, devices, items, entries, line, deep };

QByteArray unitOf(body b, qint64 i, qint64 room)
{
    switch (b) {
    case body::groups:
        return "<group name=\"g" + number(i) + "\">\n<dev nr=\"1\"></dev>\n</group>\n";
    case body::devices:
        return "<device nr=\"" + number(i + 1) + "\">\n<library>1</library>\n<dmx>1</dmx>\n</device>\n";
    case body::items:
        return "<item nr=\"" + number(i + 1) + "\">\n<provider>P</provider>\n<model>M" + number(i)
               + "</model>\n</item>\n";
    case body::entries:
        return "<e/>\n";
    case body::line:
        return QByteArray(std::min<qint64>(room, MEGABYTE), 'x');
    case body::deep: {
        QByteArray unit;
        for (int d = 0; d < 250; ++d)
            unit += "<d>\n";
        for (int d = 0; d < 250; ++d)
            unit += "</d>\n";
        return unit;
    }
    }
    return QByteArray();
}

// The tags around a shape's repeated units.
std::pair<QByteArray, QByteArray> frameOf(body b)
{
    switch (b) {
    case body::groups:
        return {"<groups>\n", "</groups>\n"};
    case body::devices:
        return {"<devices>\n", "</devices>\n"};
    case body::items:
        return {"<library>\n", "</library>\n"};
    case body::entries:
        return {"<devices>\n<device nr=\"1\">\n", "</device>\n</devices>\n"};
    case body::line:
        return {"<field>\n<image>", "</image>\n</field>\n"};
    case body::deep:
        break;
    }
    return {};
}

// The body up to `end` bytes of the file; a library holds its items at the
// top level.
void putBody(pieceWriter& out, body b, qint64 end, bool topLevel)
{
    const auto [opening, closing] = topLevel && b == body::items ? std::pair<QByteArray, QByteArray>() : frameOf(b);
    out.put(opening);
    for (qint64 i = 0;; ++i) {
        const qint64 room = end - closing.size() - 64 - out.size();
        const QByteArray unit = unitOf(b, i, room);
        if (unit.isEmpty() || unit.size() > room)
            break;
        out.put(unit);
    }
    out.put(closing);
}

enum class fileKind { configuration, stored, project, library };

struct shape {
    const char* name;
    fileKind kind;
    bool real;  // the largest real show rather than a repeated body
    body what;
    int models = 1000;  // the real show's fixture models
};

// A large show's fixtures come from some hundred fixture models; the
// largest library holds 100,000.
constexpr int allModels = 100000;

const shape allShapes[] = {
    {"configuration-groups", fileKind::configuration, false, body::groups},
    {"configuration-devices", fileKind::configuration, false, body::devices},
    {"configuration-items", fileKind::configuration, false, body::items},
    {"configuration-entries", fileKind::configuration, false, body::entries},
    {"configuration-line", fileKind::configuration, false, body::line},
    {"configuration-deep", fileKind::configuration, false, body::deep},
    {"project-groups", fileKind::project, false, body::groups},
    {"project-devices", fileKind::project, false, body::devices},
    {"project-entries", fileKind::project, false, body::entries},
    {"project-line", fileKind::project, false, body::line},
    {"project-deep", fileKind::project, false, body::deep},
    {"library-items", fileKind::library, false, body::items},
    {"library-entries", fileKind::library, false, body::entries},
    {"library-line", fileKind::library, false, body::line},
    {"library-deep", fileKind::library, false, body::deep},
    {"stored-groups", fileKind::stored, false, body::groups},
    {"stored-devices", fileKind::stored, false, body::devices},
    {"stored-entries", fileKind::stored, false, body::entries},
    {"stored-line", fileKind::stored, false, body::line},
    {"stored-deep", fileKind::stored, false, body::deep},
    {"real-configuration", fileKind::configuration, true, body::groups},
    {"real-configuration-100k-models", fileKind::configuration, true, body::groups, allModels},
    {"real-library", fileKind::library, true, body::items},
    {"real-project", fileKind::project, true, body::devices},
    {"real-project-100k-models", fileKind::project, true, body::devices, allModels},
};

const shape* findShape(const std::string& name)
{
    for (const shape& s : allShapes)
        if (name == s.name)
            return &s;
    return nullptr;
}

const QByteArray projectOpening = "\n<project>\n<contents>Light visualisation project description</contents>\n";
const QByteArray projectMark = "\n<project>\n<contents>";

// The start of a configuration file up to its project text, as the program
// writes it for `controller`.
QByteArray configurationStart(kv310_controller_class& controller, const QString& path)
{
    controller.write_confDataToFile(path, false);
    QFile written(path);
    const QByteArray all = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    const qsizetype text = all.indexOf(projectMark);
    return text < 0 ? QByteArray() : all.left(text);
}

// The largest real show's descriptions and field: what the program writes
// for the full sample show, its visual project left out.
QByteArray realShowText(kv310_controller_class& controller)
{
    QString xml;
    controller.writeProjectXml(xml);
    const qsizetype library = xml.indexOf(QLatin1String("<library>"));
    return xml.left(library).toUtf8();
}

// Makes the file(s) of a shape: the file itself, and for a project the
// library it is read over.
bool makeShape(const shape& s, const QString& path, const QString& libraryPath)
{
    const qint64 bound = s.kind == fileKind::configuration ? fileLimit::bytes(fileLimit::configurationMB)
                         : s.kind == fileKind::stored       ? 64 * MEGABYTE
                         : s.kind == fileKind::project      ? fileLimit::bytes(fileLimit::visualProjectMB)
                                                            : fileLimit::bytes(fileLimit::fixtureLibraryMB);
    const qint64 end = bound - MEGABYTE;
    if (s.kind == fileKind::project) {
        pieceWriter library(libraryPath);
        library.put("<contents>Fixtures library</contents>\n");
        // The largest library, from which the real show's models come.
        const int items = s.real ? allModels : 1;
        for (int i = 1; i <= items; ++i)
            library.put(itemText(i));
        if (!library.finish())
            return false;
    }

    const QString textPath = s.kind == fileKind::stored ? path + QStringLiteral(".text") : path;
    pieceWriter out(textPath);
    switch (s.kind) {
    case fileKind::configuration:
    case fileKind::stored:
        if (s.real) {
            kv310_controller_class full;
            sampleShow::build(full, sampleShow::full);
            out.put(configurationStart(full, path + QStringLiteral(".start")));
            out.put(realShowText(full));
            realVisualProject(out, true, s.models);
        } else {
            kv310_controller_class empty;
            if (s.kind == fileKind::configuration)
                out.put(configurationStart(empty, path + QStringLiteral(".start")));
            out.put(projectOpening);
            putBody(out, s.what, end, false);
        }
        out.put("</project>\n");
        break;
    case fileKind::project:
        out.put("<contents>visualisation project</contents>\n");
        if (s.real)
            realVisualProject(out, false, s.models);
        else
            putBody(out, s.what, end, true);
        break;
    case fileKind::library:
        out.put("<contents>Fixtures library</contents>\n");
        if (s.real)
            for (int i = 1; i <= allModels; ++i)
                out.put(itemText(i));
        else
            putBody(out, s.what, end, true);
        break;
    }
    if (!out.finish())
        return false;
    if (s.kind != fileKind::stored)
        return true;

    // The controller's project area: the text in its compressed form.
    QFile text(textPath);
    if (!text.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = text.readAll();
    text.close();
    QFile::remove(textPath);
    const QByteArray block = cfgfile::compressBlock(bytes.constData(), bytes.size());
    const QByteArray area = "<compressed size=" + number(block.size()) + " >" + block + "</compressed>\n";
    if (area.size() > qsizetype(img::PROJECT_AREA_SIZE)) {
        std::fprintf(stderr, "%s: %lld bytes do not fit the project area\n", s.name, qint64(area.size()));
        return false;
    }
    QFile out2(path);
    return out2.open(QIODevice::WriteOnly) && out2.write(area) == area.size();
}

long childPeakKilobytes(pid_t pid)
{
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf("%-24s ended (%s %d), peak RSS %.0f MB\n", "", WIFSIGNALED(status) ? "signal" : "status",
                    WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status), double(usage.ru_maxrss) / 1024);
    return usage.ru_maxrss;
}

// Makes each shape's file and has a process of its own read it.
int runShapes(const char* self, const std::vector<std::string>& names)
{
    QTemporaryDir dir;
    // Peaks are the whole process's maximum resident memory, after reading
    // and after saving again.
    std::printf("%-24s %8s %8s %8s %8s %8s %8s  %s\n", "shape", "file MB", "read ms", "peak MB", "save ms",
                "peak MB", "messages", "read");
    std::fflush(stdout);
    for (const std::string& name : names) {
        const shape* s = findShape(name);
        if (!s) {
            std::fprintf(stderr, "no shape %s\n", name.c_str());
            return 2;
        }
        const QString path = dir.filePath(QString::fromLatin1(s->name));
        const QString library = dir.filePath(QStringLiteral("library.fxl"));
        if (!makeShape(*s, path, library)) {
            std::fprintf(stderr, "cannot make %s\n", s->name);
            return 1;
        }
        const QByteArray file = path.toLocal8Bit();
        const QByteArray libraryFile = library.toLocal8Bit();
        const pid_t pid = fork();
        if (pid == 0) {
            execl(self, self, "--read", s->name, file.constData(), libraryFile.constData(), nullptr);
            _exit(127);
        }
        // The reading process prints its own line; its peak is the whole
        // program's.
        if (pid < 0 || childPeakKilobytes(pid) < 0)
            return 1;
        QFile::remove(path);
        QFile::remove(library);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    benchDialogs::offscreenUnlessNamed();
    QApplication app(argc, argv);
    benchDialogs::installedQuietDialogs quiet;
    benchDialogs::quietDialogs& dialogs = quiet.dialogs;
    if (argc >= 2 && std::strcmp(argv[1], "shapes") == 0) {
        std::vector<std::string> names(argv + 2, argv + argc);
        if (names.size() == 1 && names.front() == "list") {
            for (const shape& s : allShapes)
                std::printf("%s\n", s.name);
            return 0;
        }
        if (names.empty())
            for (const shape& s : allShapes)
                names.emplace_back(s.name);
        return runShapes(argv[0], names);
    }
    if (argc == 4 && std::strcmp(argv[1], "make") == 0) {
        const shape* s = findShape(argv[2]);
        const QDir to(QString::fromLocal8Bit(argv[3]));
        if (!s || !makeShape(*s, to.filePath(QString::fromLatin1(s->name)), to.filePath(QStringLiteral("library.fxl"))))
            return 1;
        std::printf("%s --read %s %s %s\n", argv[0], s->name, qPrintable(to.filePath(QString::fromLatin1(s->name))),
                    qPrintable(to.filePath(QStringLiteral("library.fxl"))));
        return 0;
    }
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

    if (argc == 5 && std::strcmp(argv[1], "--read") == 0) {
        const shape* s = findShape(argv[2]);
        if (!s)
            return 2;
        const QString path = QString::fromLocal8Bit(argv[3]);
        if (s->kind == fileKind::project) {
            window->libraryFileEdit->setText(QString::fromLocal8Bit(argv[4]));
            window->readLibrary();
        }
        const int problems = dialogs.problems;
        const double readMs = benchTiming::milliseconds([&] {
            switch (s->kind) {
            case fileKind::configuration:
                controller->read_confDataFromFile(path);
                break;
            case fileKind::stored: {
                QFile area(path);
                if (area.open(QIODevice::ReadOnly)) {
                    const QByteArray bytes = area.readAll();
                    std::memcpy(controller->configImage + img::projectArea, bytes.constData(), size_t(bytes.size()));
                }
                controller->loadStoredProjectDescription();
                break;
            }
            case fileKind::project:
                window->projectFileEdit->setText(path);
                window->readProject();
                break;
            case fileKind::library:
                window->libraryFileEdit->setText(path);
                window->readLibrary();
                break;
            }
            QCoreApplication::sendPostedEvents();
        });
        const long readPeak = peakKilobytes();
        double saveMs = 0;
        if (s->real && s->kind == fileKind::configuration)
            saveMs = benchTiming::milliseconds(
                [&] { controller->write_confDataToFile(dir.filePath(QStringLiteral("saved.31xcfg")), false); });
        QString outcome = QStringLiteral("%1 fixtures, %2 groups, last scene \"%3\"")
                              .arg(project->fixtures.size())
                              .arg(project->groups.size())
                              .arg(controller->sceneDescriptions.back().left(24));
        if (s->kind == fileKind::library)
            outcome = QStringLiteral("library %1").arg(project->libraryTree ? QStringLiteral("read") : QStringLiteral("not read"));
        std::printf("%-24s %8.1f %8.0f %8.0f %8.0f %8.0f %8d  %s\n", s->name, double(QFileInfo(path).size()) / MEGABYTE,
                    readMs, double(readPeak) / 1024, saveMs, double(peakKilobytes()) / 1024, dialogs.problems - problems,
                    qPrintable(outcome));
        std::fflush(stdout);
        std::_Exit(0);
    }

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
