#pragma once

#include "app/gui_class.h"
#include "app/program_rig.h"
#include "fixtures/light_effect.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "visualisation/kv_vgraph.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>

#include <memory>

// The running program with a small fixture library and visual project read
// through the visual-project page: three RGB fixtures of three channels at
// DMX 1, 4 and 7, the second one selected. The visualisation window is
// opened through the page, as the user opens it.
struct visualRig {
    visualRig()
    {
        w = s.rig->window.get();
        vp = s.rig->project.get();
        c = s.rig->controller.get();
        // The pacing thread sleeps; the tests poll by hand.
        w->monitor->refreshSpin->setValue(100);
    }

    static QByteArray libraryText()
    {
        return "<contents>Fixtures library</contents>\n"
               "<item nr=\"1\">\n<provider>Maker</provider>\n<model>Wash</model>\n"
               "<geometry shape=\"circle\">\n<diameter>40</diameter>\n</geometry>\n"
               "<dmx>\n<range>3</range>\n"
               "<channel nr=\"1\">\n<function>brightness</function>\n<color>255,0,0</color>\n</channel>\n"
               "<channel nr=\"2\">\n<function>brightness</function>\n<color>0,255,0</color>\n</channel>\n"
               "<channel nr=\"3\">\n<function>brightness</function>\n<color>0,0,255</color>\n</channel>\n"
               "</dmx>\n</item>\n";
    }

    static QByteArray device(int nr, int dmx, int x, int y)
    {
        return "<device nr=\"" + QByteArray::number(nr) + "\">\n<library>1</library>\n<dmx>" + QByteArray::number(dmx)
               + "</dmx>\n<geometry>\n<x>" + QByteArray::number(x) + "</x>\n<y>" + QByteArray::number(y)
               + "</y>\n</geometry>\n</device>\n";
    }

    static QByteArray projectText(int fixtures = 3)
    {
        QByteArray text = "<contents>visualisation project</contents>\n<devices>\n";
        const int places[3][2] = {{100, 100}, {500, 500}, {900, 300}};
        for (int i = 0; i < fixtures; ++i)
            text += device(i + 1, 3 * i + 1, places[i % 3][0], places[i % 3][1]);
        text += "</devices>\n<groups>\n<group name=\"default\">\n<dev nr=\"2\"></dev>\n</group>\n</groups>\n";
        return text;
    }

    QString write(const QString& name, const QByteArray& content)
    {
        QFile f(s.dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(content);
        return f.fileName();
    }

    // A picture file of that size in one colour.
    QString picture(const QString& name, int width, int height, QRgb colour = qRgb(200, 100, 51))
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = s.dir.filePath(name);
        image.save(path);
        return path;
    }

    // The library, then a project of that many fixtures (none: no project).
    void readShow(int fixtures = 3)
    {
        w->libraryFileEdit->setText(write(QStringLiteral("lib.fxl"), libraryText()));
        w->readLibrary();
        if (fixtures > 0) {
            w->projectFileEdit->setText(write(QStringLiteral("show.kvp"), projectText(fixtures)));
            w->readProject();
        }
    }

    kvVGraph_class* graph() const { return qobject_cast<kvVGraph_class*>(vp->graphWindow); }
    kvVGraph_class* openDesign()
    {
        w->startPrjMode();
        return graph();
    }
    kvVGraph_class* openShow()
    {
        w->startVisMode();
        return graph();
    }

    // The levels of scene s for the first fixture's three channels.
    void setScene(int scene, uint8_t r, uint8_t g, uint8_t b, int firstChannel = 0)
    {
        auto* record = reinterpret_cast<uint8_t*>(c->configImage) + img::sceneChannelsOf(scene) + firstChannel;
        record[0] = r;
        record[1] = g;
        record[2] = b;
    }

    // One poll of the monitor's open windows, as the pacing thread announces it.
    void poll()
    {
        w->monitor->pollTimer.busy = true;
        w->monitor->reload();
    }

    // Delivers what is queued, deferred deletions included.
    // A window deleted on the way may ask for another deletion.
    static void settle()
    {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    programSession s;
    gui_class* w = nullptr;
    v_project* vp = nullptr;
    kv310_controller_class* c = nullptr;
};
