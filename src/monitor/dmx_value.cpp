#include "monitor/dmx_value.h"

#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QMouseEvent>
#include <QPalette>
#include <QToolTip>

dmx_value_class::dmx_value_class(int channel, bool isOutput, const QList<QPalette*>* palettes, QWidget* parent)
    : QLabel(parent), isOutput(isOutput), channel(channel), palettes(palettes)
{
    setAutoFillBackground(true);
    setFont(QFont(QStringLiteral("MS Shell Dlg"), 9, QFont::Bold));
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Window);
}

void dmx_value_class::setDmxValue(uint8_t v)
{
    if (shownValue == v)
        return;
    if (palettes && v / 4 < palettes->size())
        setPalette(*palettes->at(v / 4));
    setText(QString::number(v));
    shownValue = v;
}

QString dmx_value_class::descriptionText() const
{
    QString on;
    QString off;
    const int event = 2 * channel + (isOutput ? int(EVENT_DMX_OUT) : 0);
    if (theController && event >= 0 && event + 1 < int(theController->eventDescriptions.size())) {
        on = theController->eventDescriptions[size_t(event)];
        off = theController->eventDescriptions[size_t(event) + 1];
    }
    QString text;
    if (!on.isEmpty())
        text = tr("On") + QStringLiteral(": ") + on;
    if (!off.isEmpty()) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += tr("Off") + QStringLiteral(": ") + off;
    }
    return text.isEmpty() ? tr("no description...") : text;
}

void dmx_value_class::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QToolTip::showText(event->globalPosition().toPoint() + QPoint(0, 5), descriptionText());
}

void dmx_value_class::mouseReleaseEvent(QMouseEvent*)
{
    QToolTip::hideText();
}
