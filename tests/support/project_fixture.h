#pragma once

#include "support/fake_main_window.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "fixtures/light_effect.h"
#include "xml/xml_node.h"

#include <QStringList>
#include <memory>

using recordingWindow = fakeMainWindow;

// The run's controller and visual project, and optionally a main window,
// published for the lifetime of the object as main publishes them.
struct publishedRun {
    explicit publishedRun(bool withWindow = false)
    {
        theController = &controller;
        theVisualProject = &project;
        if (withWindow) {
            window = std::make_unique<recordingWindow>();
            theMainWindow = window.get();
        }
    }
    ~publishedRun()
    {
        theMainWindow = nullptr;
        window.reset();
        theVisualProject = nullptr;
        theController = nullptr;
    }
    publishedRun(const publishedRun&) = delete;
    publishedRun& operator=(const publishedRun&) = delete;

    kv310_controller_class controller;
    v_project project;
    std::unique_ptr<recordingWindow> window;
};

// A visual project of `count` fixtures numbered 1.., each with two channels,
// as the project description carries it: a library with one item and the
// devices that use it.
inline QString visualProjectXml(int count)
{
    QString text = QStringLiteral(
        "<library>\n<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n"
        "<geometry shape=\"circle\">\n<diameter>20</diameter>\n</geometry>\n"
        "<dmx>\n<range>2</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n</channel>\n</dmx>\n"
        "</item>\n</library>\n<devices>\n");
    for (int n = 1; n <= count; ++n)
        text += QStringLiteral("<device nr=\"%1\">\n<library>1</library>\n<dmx>%2</dmx>\n"
                               "<geometry>\n<x>%3</x>\n<y>10</y>\n<rotate>0</rotate>\n</geometry>\n</device>\n")
                    .arg(n)
                    .arg(2 * n - 1)
                    .arg(10 * n);
    text += QStringLiteral("</devices>\n");
    return text;
}

inline QList<int> fixtureNumbers(const QList<lightEffect*>& list)
{
    QList<int> out;
    for (const lightEffect* f : list)
        out << f->number;
    return out;
}

inline QList<int> selectedNumbers(const v_project& vp)
{
    QList<int> out;
    for (const lightEffect* f : vp.fixtures)
        if (f->selected)
            out << f->number;
    return out;
}

// Group names with their member numbers, the default group first.
inline QStringList groupSummary(const v_project& vp)
{
    QStringList out;
    const auto one = [](const efGroup& g) {
        QStringList numbers;
        for (const lightEffect* f : g.members)
            numbers << QString::number(f->number);
        return g.name + QLatin1Char(':') + numbers.join(QLatin1Char(','));
    };
    out << one(vp.defaultGroup);
    for (const efGroup* g : vp.groups)
        out << one(*g);
    return out;
}
