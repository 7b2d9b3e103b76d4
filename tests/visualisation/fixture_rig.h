#pragma once

#include "visual_rig.h"

#include "visualisation/dmx_reloc.h"
#include "visualisation/modi_fxt.h"
#include "xml/xml_node.h"

#include <functional>

// The running program with a fixture library of several providers, models
// and variants, and a project of fixtures 1, 2 and 4 of item 1 (three RGB
// channels) at DMX 1, 4 and 7, the design window open. The project's own
// library holds item 1 only; the others come from the external library.
//
//  item  provider  model  variant  range  channels
//  1     Maker     Wash   -        3      R G B (channel 1 described in en and pl)
//  2     Maker     Par    RGB      8      D R G(name g) B pan m brightness-without-colour W
//  3     Maker     Par    _basic_  1      D
//  4     b         Spot   -        -      D
//  5     A         Bar    Long     4      D R G B
//  6     a         Bar    X        2      R D
//  8     Gen       Can    -        2      D D
//  9     Gen       Can    Wide     5      D D D D D
struct fixtureRig {
    static QByteArray channel(int nr, const char* function, const QByteArray& colour = QByteArray())
    {
        QByteArray out = "<channel nr=\"" + QByteArray::number(nr) + "\">\n<function>" + function + "</function>\n";
        if (!colour.isEmpty())
            out += colour + "\n";
        return out + "</channel>\n";
    }

    static QByteArray item(int nr, const char* provider, const char* model, const char* variant, const char* range,
                           const QByteArray& channels, const QByteArray& geometry = "<geometry>\n<diameter>20</diameter>\n</geometry>\n")
    {
        QByteArray out = "<item nr=\"" + QByteArray::number(nr) + "\">\n<provider>" + provider + "</provider>\n<model>"
                         + model + "</model>\n";
        if (variant)
            out += QByteArray("<variant>") + variant + "</variant>\n";
        out += geometry + "<dmx>\n";
        if (range)
            out += QByteArray("<range>") + range + "</range>\n";
        return out + channels + "</dmx>\n</item>\n";
    }

    static QByteArray libraryText()
    {
        const QByteArray red = "<color>255,0,0</color>";
        const QByteArray green = "<color>0,255,0</color>";
        const QByteArray blue = "<color>0,0,255</color>";
        return "<contents>Fixtures library</contents>\n"
               + item(1, "Maker", "Wash", nullptr, "3",
                      "<channel nr=\"1\">\n<function>brightness</function>\n<color>255,0,0</color>\n"
                      "<description>\n<en>Red</en>\n<pl>Czerwony</pl>\n</description>\n</channel>\n"
                          + channel(2, "brightness", green) + channel(3, "brightness", blue),
                      "<geometry shape=\"circle\">\n<diameter>40</diameter>\n</geometry>\n")
               + item(2, "Maker", "Par", "RGB", "8",
                      channel(1, "dimmer") + channel(2, "brightness", red)
                          + channel(3, "brightness", "<color name=\"g\">0,200,0</color>") + channel(4, "brightness", blue)
                          + channel(5, "pan") + channel(6, "filter", "<color>10,20,30</color>") + channel(7, "brightness")
                          + channel(8, "spring-switch"),
                      "<geometry shape=\"ellipse\">\n<width>20</width>\n<height>30</height>\n<anchor>right_up</anchor>\n"
                      "</geometry>\n")
               + item(3, "Maker", "Par", "_basic_", "1", channel(1, "dimmer"),
                      "<geometry shape=\"Circle\">\n<width>5</width>\n<height>6</height>\n<diameter>30</diameter>\n"
                      "</geometry>\n")
               + item(4, "b", "Spot", nullptr, nullptr, channel(1, "dimmer"))
               + item(5, "A", "Bar", "Long", "4",
                      channel(1, "dimmer") + channel(2, "brightness", red) + channel(3, "brightness", green)
                          + channel(4, "brightness", blue))
               + item(6, "a", "Bar", "X", "2", channel(1, "brightness", red) + channel(2, "dimmer"))
               + item(8, "Gen", "Can", nullptr, "2", channel(1, "dimmer") + channel(2, "dimmer"))
               + item(9, "Gen", "Can", "Wide", "5",
                      channel(1, "dimmer") + channel(2, "dimmer") + channel(3, "dimmer") + channel(4, "dimmer")
                          + channel(5, "dimmer"));
    }

    static QByteArray projectText(const QList<int>& numbers = {1, 2, 4})
    {
        QByteArray text = "<contents>visualisation project</contents>\n<devices>\n";
        for (int i = 0; i < numbers.size(); ++i)
            text += visualRig::device(numbers.at(i), 3 * i + 1, 100 + 200 * i, 100 + 100 * i);
        return text + "</devices>\n";
    }

    explicit fixtureRig(const QList<int>& numbers = {1, 2, 4})
    {
        r.w->libraryFileEdit->setText(r.write(QStringLiteral("lib.fxl"), libraryText()));
        r.w->readLibrary();
        if (!numbers.isEmpty()) {
            r.w->projectFileEdit->setText(r.write(QStringLiteral("show.kvp"), projectText(numbers)));
            r.w->readProject();
        }
        g = r.openDesign();
    }

    lightEffect* fixture(int number) const
    {
        for (lightEffect* f : std::as_const(r.vp->fixtures))
            if (f->number == number)
                return f;
        return nullptr;
    }

    xml_node* projectNode(const char* name) const { return r.vp->projectTree->findNode(QLatin1String(name)); }

    // The dialog of the fixture, as the window's "Edit fixture" opens it,
    // driven by `play` in place of the user; its result code.
    int editFixture(lightEffect* f, const std::function<void(ModiFxt_class&)>& play)
    {
        g->pointedFixture = f;
        int result = -1;
        r.s.rec.answerExec([&](QDialog* d) {
            auto* dialog = qobject_cast<ModiFxt_class*>(d);
            if (!dialog)
                return int(QDialog::Rejected);
            play(*dialog);
            result = dialog->result();
            return result;
        });
        g->modiFixture();
        return result;
    }

    // Chooses a variant through the three lists as the user does.
    static void choose(ModiFxt_class& d, const QString& provider, const QString& model, const QString& variant)
    {
        d.cbProvider->setCurrentIndex(d.cbProvider->findText(provider, Qt::MatchExactly | Qt::MatchCaseSensitive));
        d.cbModel->setCurrentIndex(d.cbModel->findText(model, Qt::MatchExactly | Qt::MatchCaseSensitive));
        if (!variant.isEmpty())
            d.cbVariant->setCurrentIndex(d.cbVariant->findText(variant, Qt::MatchExactly | Qt::MatchCaseSensitive));
    }

    static QStringList entries(const QComboBox* box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }

    // The channel map as (channel, fixture number) pairs.
    QList<QPair<int, int>> map() const
    {
        QList<QPair<int, int>> out;
        for (const chnlMapEntry& e : std::as_const(r.vp->chnlMap))
            out.append({e.channel, e.fixture->number});
        return out;
    }

    visualRig r;
    kvVGraph_class* g = nullptr;
};
