#pragma once

#include <QString>

// The text of a label with a buddy, a button, a check box, a tab or a menu
// entry as it is drawn: a single "&" marks the next character as the
// shortcut key and is not drawn, "&&" is drawn as one "&".
inline QString shownText(const QString& text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            out += text.at(i) == QLatin1Char('&') ? QStringLiteral("&") : QString(text.at(i));
            continue;
        }
        out += text.at(i);
    }
    return out;
}
