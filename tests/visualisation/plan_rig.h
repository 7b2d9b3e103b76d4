#pragma once

#include "visual_rig.h"

#include "visualisation/ctrl_effects.h"

#include <QByteArray>
#include <QList>

#include <limits>

// A plan for light control, selection and groups on the running program: a
// library of several fixture kinds and a project that places them, read
// through the visual-project page as the user reads them.
namespace planRig {

// A library item of provider "P" with the given model and "dmx" contents.
inline QByteArray item(int nr, const QByteArray& model, int range, const QByteArray& channels)
{
    return "<item nr=\"" + QByteArray::number(nr) + "\">\n<provider>P</provider>\n<model>" + model
           + "</model>\n<geometry shape=\"circle\">\n<diameter>30</diameter>\n</geometry>\n<dmx>\n<range>"
           + QByteArray::number(range) + "</range>\n" + channels + "</dmx>\n</item>\n";
}

inline QByteArray channel(int nr, const QByteArray& function, const QByteArray& more = QByteArray())
{
    return "<channel nr=\"" + QByteArray::number(nr) + "\">\n<function>" + function + "</function>\n" + more
           + "</channel>\n";
}

inline QByteArray colour(const char* name, const char* rgb)
{
    return QByteArray("<color name=\"") + name + "\">" + rgb + "</color>\n";
}

// 1 "M": red, green, blue and a dimmer; 2 "Spot": a two-channel dimmer;
// 3 "Mode": nothing to control; 4 "RG": red and green only; 5 "Dim": a
// dimmer; 6 "Desc": as 1, its red channel described in English and Polish;
// 7 "Odd": channel numbers (down to the smallest int) and second channels no
// fixture has.
inline QByteArray library()
{
    const QByteArray rgb = channel(1, "brightness", colour("red", "255,0,0"))
                           + channel(2, "brightness", colour("green", "0,255,0"))
                           + channel(3, "brightness", colour("blue", "0,0,255"));
    return "<contents>Fixtures library</contents>\n" + item(1, "M", 4, rgb + channel(4, "dimmer"))
           + item(2, "Spot", 2, channel(1, "dimmer", "<double>2</double>\n"))
           + item(3, "Mode", 1, channel(1, "mode")) + item(4, "RG", 2, rgb.left(rgb.indexOf("<channel nr=\"3\"")))
           + item(5, "Dim", 1, channel(1, "dimmer"))
           + item(6, "Desc", 4,
                  channel(1, "brightness",
                          colour("red", "255,0,0")
                              + "<description>\n<en>Red LED</en>\n<pl>Czerwona dioda</pl>\n</description>\n")
                      + rgb.mid(rgb.indexOf("<channel nr=\"2\"")) + channel(4, "dimmer"))
           + item(7, "Odd", 2,
                  channel(1, "dimmer", "<double>99999</double>\n")
                      + channel(2, "brightness", colour("red", "255,0,0") + "<double>abc</double>\n")
                      + channel(-3, "dimmer") + channel(99999, "filter", colour("blue", "0,0,255"))
                      + channel(std::numeric_limits<int>::min(), "dimmer"));
}

struct device {
    int number;
    int item;
    int dmx;  // 1-based, as the project file holds it
};

// The devices, then the groups: "default" (the selection) and the named
// ones, each a name and its members' numbers.
inline QByteArray project(const QList<device>& devices, const QList<int>& selected = {},
                          const QList<QPair<QByteArray, QList<int>>>& groups = {})
{
    QByteArray text = "<contents>visualisation project</contents>\n<devices>\n";
    for (const device& d : devices) {
        text += "<device nr=\"" + QByteArray::number(d.number) + "\">\n<library>" + QByteArray::number(d.item)
                + "</library>\n<dmx>" + QByteArray::number(d.dmx) + "</dmx>\n<geometry>\n<x>"
                + QByteArray::number(60 * d.number) + "</x>\n<y>" + QByteArray::number(40 * d.number)
                + "</y>\n</geometry>\n</device>\n";
    }
    text += "</devices>\n<groups>\n";
    const auto group = [&text](const QByteArray& name, const QList<int>& members) {
        text += "<group name=\"" + name + "\">\n";
        for (int m : members)
            text += "<dev nr=\"" + QByteArray::number(m) + "\"></dev>\n";
        text += "</group>\n";
    };
    group("default", selected);
    for (const auto& g : groups)
        group(g.first, g.second);
    return text + "</groups>\n";
}

inline void read(visualRig& r, const QByteArray& libraryText, const QByteArray& projectText)
{
    r.w->libraryFileEdit->setText(r.write(QStringLiteral("lib.fxl"), libraryText));
    r.w->readLibrary();
    r.w->projectFileEdit->setText(r.write(QStringLiteral("show.kvp"), projectText));
    r.w->readProject();
}

inline lightEffect* fixture(const visualRig& r, int number)
{
    for (lightEffect* f : std::as_const(r.vp->fixtures))
        if (f->number == number)
            return f;
    return nullptr;
}

inline QList<int> numbers(const QList<lightEffect*>& fixtures)
{
    QList<int> out;
    for (const lightEffect* f : fixtures)
        out << f->number;
    return out;
}

inline QList<int> selectedNumbers(const visualRig& r)
{
    QList<int> out;
    for (const lightEffect* f : std::as_const(r.vp->fixtures))
        if (f->selected)
            out << f->number;
    return out;
}

// The open light-control dialogs.
inline QList<ctrlEffects*> controlDialogs(const visualRig& r)
{
    QList<ctrlEffects*> out;
    for (QDialog* d : std::as_const(r.vp->controlDialogs))
        out << qobject_cast<ctrlEffects*>(d);
    return out;
}

}  // namespace planRig
