#pragma once

#include "fixtures/fixture_view.h"
#include "fixtures/light_class.h"
#include "fixtures/light_effect.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cmath>

// A plan to show fixture items on without the visualisation window: a plain
// widget that is its own fixtureView, with the zoom, scale and channel
// values set from outside, recording what the items put in its status bar.
class fixturePlan : public QWidget, public fixtureView {
public:
    double zoom = 1.0;
    double scale = 1.0;
    const uint8_t* values = nullptr;
    QStringList statusTexts;
    QList<int> statusTimes;

    double viewZoom() const override { return zoom; }
    double viewScale() const override { return scale; }
    // The icon's corner, 11 pixels up and left of the field point.
    QPoint fieldToView(int x, int y) const override
    {
        const auto pixel = [this](int v) {
            return qRound(std::clamp(v * zoom / scale, -1e7, 1e7)) - 11;
        };
        return QPoint(pixel(x), pixel(y));
    }
    const uint8_t* shownValues() const override { return values; }
    void showStatusText(const QString& text, int ms) override
    {
        statusTexts << text;
        statusTimes << ms;
    }

    // Puts the fixture with its beam and cross on the plan, as the window
    // does with the fixtures it shows.
    void adopt(lightEffect& f)
    {
        f.setParent(this);
        if (f.beam)
            f.beam->setParent(this);
        if (f.cross)
            f.cross->setParent(this);
    }
};
