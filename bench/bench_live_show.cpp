// The live show as the visualisation window runs it: 512 fixtures over the
// whole universe (washes, pars, colour changers and fountains; colour,
// filter and dimmer channels on all 512 channels) on a show window,
// offscreen. Every frame brings new output values, runs the window's
// sceneChanged() (every mapped fixture's light computed and its beam
// redrawn) and paints the plan once. Prints the refreshes a second beside
// the light computation alone and the 44 frames a second of DMX the live
// show is meant to keep on one core.

#include "bench_dialogs.h"
#include "bench_timing.h"

#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "seams/gui_base.h"
#include "visualisation/kv_vgraph.h"

#include <QApplication>
#include <QIODevice>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using benchDialogs::quietDialogs;

// The main window as the show window sees it: a field of 2000 x 1000
// without a background picture.
class benchMainWindow : public gui_base_class {
public:
    void setProjectField(xml_node*) override {}
    projectFieldTexts projectField() const override
    {
        projectFieldTexts t;
        t.width = QStringLiteral("2000");
        t.height = QStringLiteral("1000");
        return t;
    }
    void readSettings(xml_node*) override {}
    void showDeviceDst(bool) override {}
    void showDeviceCalibration(int) override {}
    void setEventsTabEnabled(int, bool) override {}
};

// A project of 512 fixtures over the whole universe: RGB washes with a
// dimmer (rectangles and ellipses, turned), colour changers with a white
// emitter and two filters, and fountains, each of four channels.
QString liveProjectText()
{
    const QString rgb = QStringLiteral(
        "<dmx>\n<range>4</range>\n"
        "<channel nr=\"1\">\n<function>brightness</function>\n<color name=\"R\">255,0,0</color>\n</channel>\n"
        "<channel nr=\"2\">\n<function>brightness</function>\n<color>0,255,0</color>\n</channel>\n"
        "<channel nr=\"3\">\n<function>brightness</function>\n<color>0, 0, 255</color>\n</channel>\n"
        "<channel nr=\"4\">\n<function>dimmer</function>\n</channel>\n</dmx>\n");
    QString text = QStringLiteral("\n<project>\n<library>\n");
    text += QStringLiteral("<item nr=\"1\">\n<provider>P</provider>\n<model>Wash</model>\n"
                           "<geometry shape=\"line\">\n<width>120</width>\n<height>60</height>\n"
                           "<anchor>left_up</anchor>\n</geometry>\n%1</item>\n")
                .arg(rgb);
    text += QStringLiteral("<item nr=\"2\">\n<provider>P</provider>\n<model>Par</model>\n"
                           "<geometry shape=\"ellipse\">\n<diameter>80</diameter>\n</geometry>\n%1</item>\n")
                .arg(rgb);
    text += QStringLiteral(
        "<item nr=\"3\">\n<provider>P</provider>\n<model>Changer</model>\n"
        "<geometry shape=\"circle\">\n<width>90</width>\n<height>50</height>\n</geometry>\n"
        "<dmx>\n<range>4</range>\n"
        "<channel nr=\"1\">\n<function>brightness</function>\n<color>255,255,255</color>\n</channel>\n"
        "<channel nr=\"2\">\n<function>filter</function>\n<color>255,128,0</color>\n</channel>\n"
        "<channel nr=\"3\">\n<function>filter</function>\n<color>0,128,255</color>\n</channel>\n"
        "<channel nr=\"4\">\n<function>dimmer</function>\n</channel>\n</dmx>\n</item>\n");
    text += QStringLiteral(
        "<item nr=\"4\">\n<provider>P</provider>\n<model>Fountain</model>\n"
        "<geometry shape=\"fountain\">\n<width>40</width>\n<height>200</height>\n</geometry>\n"
        "<dmx>\n<range>4</range>\n"
        "<channel nr=\"1\">\n<function>spring</function>\n</channel>\n"
        "<channel nr=\"2\">\n<function>spring-switch</function>\n<mode lvllo=\"10\" lvlhi=\"20\"></mode>\n"
        "</channel>\n<channel nr=\"3\">\n<function>brightness</function>\n<color>0,0,255</color>\n</channel>\n"
        "<channel nr=\"4\">\n<function>dimmer</function>\n</channel>\n</dmx>\n</item>\n");
    text += QStringLiteral("</library>\n<devices>\n");
    for (int i = 0; i < 512; ++i)
        text += QStringLiteral("<device nr=\"%1\">\n<library>%2</library>\n<dmx>%3</dmx>\n<geometry>\n"
                               "<x>%4</x>\n<y>%5</y>\n<rotate>%6</rotate>\n</geometry>\n</device>\n")
                    .arg(i + 1)
                    .arg(i % 4 + 1)
                    .arg(4 * (i % 128) + 1)
                    .arg(60 + 60 * (i % 32))
                    .arg(60 + 60 * (i / 32))
                    .arg(i % 3 * 30);
    text += QStringLiteral("</devices>\n</project>\n");
    return text;
}

using benchTiming::milliseconds;

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quietDialogs dialogsShown;
    installDialogSeam(&dialogsShown);
    kv310_controller_class controller;
    v_project project;
    theController = &controller;
    theVisualProject = &project;
    benchMainWindow mainWindow;
    theMainWindow = &mainWindow;

    QString text = liveProjectText();
    QTextStream in(&text, QIODevice::ReadOnly);
    controller.readProjectXml(in, 0);
    QCoreApplication::sendPostedEvents();

    auto* window = new kvVGraph_class(false, &mainWindow);
    project.graphWindow = window;
    window->setupView();
    window->resize(1600, 1000);
    window->show();
    QCoreApplication::processEvents();

    // The output window's buffer, refreshed by every poll.
    std::vector<uint8_t> output(512, 0);
    project.dmxBuffer = output.data();
    constexpr int FRAMES = 440;
    std::vector<uint8_t> frames(size_t(FRAMES) * 512);
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i] = uint8_t((i * 2654435761u) >> 13);
    const auto take = [&](int n) { std::memcpy(output.data(), frames.data() + size_t(n % FRAMES) * 512, 512); };

    const double computeMs = milliseconds([&] {
        for (int n = 0; n < FRAMES; ++n) {
            take(n);
            for (lightEffect* f : std::as_const(project.fixtures))
                f->computeLight(output.data());
        }
    });
    const double sceneMs = milliseconds([&] {
        for (int n = 0; n < FRAMES; ++n) {
            take(n);
            window->sceneChanged();
        }
    });
    QCoreApplication::processEvents();
    const double frameMs = milliseconds([&] {
        for (int n = 0; n < FRAMES; ++n) {
            take(n);
            window->sceneChanged();
            QCoreApplication::processEvents();
        }
    });

    const auto perSecond = [](double ms) { return FRAMES * 1000.0 / ms; };
    std::printf("live show on the show window, %d fixtures, %d frames\n", int(project.fixtures.size()), FRAMES);
    std::printf("%-46s %10s %12s %10s\n", "", "ms/frame", "refreshes/s", "reference");
    std::printf("%-46s %10.3f %12.1f %10d\n", "light computation alone", computeMs / FRAMES, perSecond(computeMs), 44);
    std::printf("%-46s %10.3f %12.1f %10d\n", "sceneChanged (light and beams)", sceneMs / FRAMES, perSecond(sceneMs),
                44);
    std::printf("%-46s %10.3f %12.1f %10d\n", "sceneChanged and the plan painted", frameMs / FRAMES,
                perSecond(frameMs), 44);

    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    theMainWindow = nullptr;
    theVisualProject = nullptr;
    theController = nullptr;
    return 0;
}
