// Reads fixture libraries and project descriptions of growing size and prints
// the time per item: the hierarchy of a library, and a project description
// with its library items, fixtures and groups, then its release: once as a
// clear of the configuration empties it, once as the program's end takes the
// visual project down. Times that stay flat per item as the sizes grow show
// reading and releasing in linear time. The live show's frame is timed by
// bench_live_show.

#include "bench_dialogs.h"
#include "bench_timing.h"

#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "xml/xml_node.h"

#include <QApplication>
#include <QIODevice>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

using benchDialogs::quietDialogs;
using benchTiming::milliseconds;

QString itemText(int nr)
{
    // Providers, models and variants all grow with the library.
    return QStringLiteral("<item nr=\"%1\">\n<provider>Maker %2</provider>\n<model>Model %3</model>\n"
                          "<variant>V%4</variant>\n<geometry shape=\"circle\">\n<diameter>20</diameter>\n"
                          "</geometry>\n<dmx>\n<range>2</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n"
                          "</channel>\n</dmx>\n</item>\n")
        .arg(nr)
        .arg(nr % 97)
        .arg(nr)
        .arg(nr % 13);
}

std::unique_ptr<xml_node> parse(QString text)
{
    QTextStream in(&text, QIODevice::ReadOnly);
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line;
    while (root.read(in, line)) {
    }
    return std::make_unique<xml_node>(root, 0);
}

// A project description with n devices, each on its own library item, and
// every other device in the selection.
QString projectText(int n)
{
    QString text = QStringLiteral("\n<project>\n<library>\n");
    for (int i = 1; i <= n; ++i)
        text += itemText(i);
    text += QStringLiteral("</library>\n<devices>\n");
    for (int i = 1; i <= n; ++i)
        text += QStringLiteral("<device nr=\"%1\">\n<library>%1</library>\n<dmx>%2</dmx>\n<geometry>\n<x>%1</x>\n"
                               "<y>10</y>\n</geometry>\n</device>\n")
                    .arg(i)
                    .arg(i % 500 + 1);
    text += QStringLiteral("</devices>\n<groups>\n<group name=\"default\">\n");
    for (int i = 1; i <= n; i += 2)
        text += QStringLiteral("<dev nr=\"%1\"></dev>\n").arg(i);
    text += QStringLiteral("</group>\n</groups>\n</project>\n");
    return text;
}

// Milliseconds to read the text into the published visual project, and what
// the event loop would have delivered meanwhile.
double readProject(kv310_controller_class& controller, const QString& text)
{
    return milliseconds([&] {
        QString copy = text;
        QTextStream in(&copy, QIODevice::ReadOnly);
        controller.readProjectXml(in, 0);
        QCoreApplication::sendPostedEvents();
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    quietDialogs dialogsShown;
    installDialogSeam(&dialogsShown);
    kv310_controller_class controller;
    v_project project;
    theController = &controller;
    theVisualProject = &project;

    std::printf("%-34s %8s %10s %12s\n", "", "items", "ms", "us per item");
    for (int n : {1000, 10000, 100000}) {
        QString text;
        for (int i = 1; i <= n; ++i)
            text += itemText(i);
        const std::unique_ptr<xml_node> library = parse(text);
        v_project vp;
        const double ms = milliseconds([&] { vp.buildHierarchy(library.get()); });
        std::printf("%-34s %8d %10.1f %12.2f\n", "library hierarchy", n, ms, ms * 1000 / n);
    }
    std::printf("\n%-34s %8s %10s %12s %10s %12s\n", "", "fixtures", "read ms", "us/fixture", "release ms",
                "us/fixture");
    for (int n : {5000, 16000, 50000, 100000}) {
        const QString text = projectText(n);
        // Cleared as "Clear config" clears the visual project: the project
        // stays and is read again afterwards.
        const double readMs = readProject(controller, text);
        const double clearMs = milliseconds([&] {
            project.clear();
            QCoreApplication::sendPostedEvents();
        });
        std::printf("%-34s %8d %10.1f %12.2f %10.1f %12.2f\n", "project read, then cleared", n, readMs,
                    readMs * 1000 / n, clearMs, clearMs * 1000 / n);

        // Released as at the program's end: the visual project goes with
        // every fixture in it.
        auto closing = std::make_unique<v_project>();
        theVisualProject = closing.get();
        const double closingReadMs = readProject(controller, text);
        const double closeMs = milliseconds([&] {
            closing.reset();
            QCoreApplication::sendPostedEvents();
        });
        theVisualProject = &project;
        std::printf("%-34s %8d %10.1f %12.2f %10.1f %12.2f\n", "project read, then closed", n, closingReadMs,
                    closingReadMs * 1000 / n, closeMs, closeMs * 1000 / n);
    }
    theVisualProject = nullptr;
    theController = nullptr;
    return 0;
}
