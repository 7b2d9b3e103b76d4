// Reads fixture libraries and project descriptions of growing size and prints
// the time per item: the hierarchy of a library, and a project description
// with its library items, fixtures and groups. Times that stay flat per item
// as the sizes grow tenfold show reading in linear time.
//
// Then the live show's work per frame: 512 fixtures of a full universe get
// their colour from changing channel values and their beams redrawn, with
// and without the painting of the plan, beside the 44 frames a second the
// live show is meant to keep on one core.

#include "seams/dialog_seam.h"
#include "fixtures/fixture_view.h"
#include "fixtures/light_class.h"
#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "xml/xml_node.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTextStream>

#include <QWidget>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

class quietDialogs final : public dialogSeam {
public:
    int message(const messageRequest&) override { return QMessageBox::Ok; }
    QString openFileName(fileRequest&) override { return QString(); }
    QString saveFileName(fileRequest&) override { return QString(); }
    QColor color(const QColor&, QWidget*, const QString&) override { return QColor(); }
    int exec(QDialog*) override { return 0; }
};

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

// The plan the fixtures are shown on, at zoom 1 on a 2000 x 1000 field.
class benchPlan : public QWidget, public fixtureView {
public:
    double viewZoom() const override { return 1.0; }
    double viewScale() const override { return 2.0; }
    QPoint fieldToView(int x, int y) const override { return QPoint(qRound(x / 2.0) - 11, qRound(y / 2.0) - 11); }
    const uint8_t* shownValues() const override { return values; }
    void showStatusText(const QString&, int) override {}
    const uint8_t* values = nullptr;
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

double milliseconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
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
    for (int n : {500, 5000, 50000}) {
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
        const double ms = milliseconds([&] {
            QTextStream in(&text, QIODevice::ReadOnly);
            controller.readProjectXml(in, 0);
        });
        std::printf("%-34s %8d %10.1f %12.2f\n", "project with fixtures and groups", n, ms, ms * 1000 / n);
        // What the event loop would have delivered meanwhile.
        QCoreApplication::sendPostedEvents();
        project.clear();
    }
    // The live show: every frame brings new values for the whole universe.
    {
        QString text = liveProjectText();
        QTextStream in(&text, QIODevice::ReadOnly);
        controller.readProjectXml(in, 0);
        QCoreApplication::sendPostedEvents();
        benchPlan plan;
        plan.resize(2000, 1000);
        for (lightEffect* f : std::as_const(project.fixtures)) {
            f->beam->setParent(&plan);
            f->cross->setParent(&plan);
        }
        constexpr int FRAMES = 440;
        std::vector<uint8_t> frames(size_t(FRAMES) * 512);
        for (size_t i = 0; i < frames.size(); ++i)
            frames[i] = uint8_t((i * 2654435761u) >> 13);
        const auto frame = [&](int n) { return frames.data() + size_t(n % FRAMES) * 512; };

        const double computeMs = milliseconds([&] {
            for (int n = 0; n < FRAMES; ++n)
                for (lightEffect* f : std::as_const(project.fixtures))
                    f->computeLight(frame(n));
        });
        const double refreshMs = milliseconds([&] {
            for (int n = 0; n < FRAMES; ++n) {
                plan.values = frame(n);
                for (lightEffect* f : std::as_const(project.fixtures)) {
                    f->computeLight(plan.values);
                    f->refreshLight(plan);
                }
            }
        });
        plan.show();
        QCoreApplication::processEvents();
        const double paintedMs = milliseconds([&] {
            for (int n = 0; n < FRAMES; ++n) {
                plan.values = frame(n);
                for (lightEffect* f : std::as_const(project.fixtures)) {
                    f->computeLight(plan.values);
                    f->refreshLight(plan);
                }
                QCoreApplication::processEvents();
            }
        });
        // One fixture's colour changed, as a fader of a light-control dialog does.
        const double oneMs = milliseconds([&] {
            for (int n = 0; n < FRAMES; ++n) {
                lightEffect* f = project.fixtures.at(n % 512);
                f->computeLight(frame(n));
                f->refreshLight(plan);
                QCoreApplication::processEvents();
            }
        });
        const double planMs = milliseconds([&] {
            for (int n = 0; n < FRAMES; ++n)
                plan.repaint();
        });
        const double reference = 1000.0 / 44;
        std::printf("\nlive show, 512 fixtures, %d frames      ms per frame   reference\n", FRAMES);
        std::printf("%-40s %12.3f %11.1f\n", "computeLight", computeMs / FRAMES, reference);
        std::printf("%-40s %12.3f %11.1f\n", "computeLight and refreshLight", refreshMs / FRAMES, reference);
        std::printf("%-40s %12.3f %11.1f\n", "... and the plan painted", paintedMs / FRAMES, reference);
        std::printf("%-40s %12.3f\n", "(the plan painted, colours unchanged)", planMs / FRAMES);
        std::printf("%-40s %12.3f\n", "one fixture changed and painted", oneMs / FRAMES);
        project.clear();
    }

    theVisualProject = nullptr;
    theController = nullptr;
    return 0;
}
