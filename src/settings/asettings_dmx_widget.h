#pragma once

#include <QModelIndex>
#include <QString>
#include <QWidget>

class QLabel;
class QStandardItemModel;
class QTableView;
class asettings_dmx_set_widget;

// The DMX output channels page (settings tab "DMX Output"): a table of the
// output channels in use, one summary line per channel, and beside it the
// settings panel of the channel chosen in the table. The page keeps the
// table, the panel and the editors' channel range in step; the settings
// themselves live only in the image of `theController`.
class asettings_dmx_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_dmx_widget(QWidget* parent);

    QTableView* channelView;
    QStandardItemModel* channelModel;         // 2 columns, one row per channel in use
    QLabel* channelCaption;                   // "DMX Channel: %1" above the panel
    int currentChannel = 0;                   // 0-based channel shown in the panel
    asettings_dmx_set_widget* settingsPanel;  // a sibling of the page on the same tab page
    int refreshCount = 0;                     // reloads from the image so far

    // One channel's settings in a line: "(min,max) [--,--] L" for a linear
    // channel, "... N" for a non-linear one, "(min,max) [down,up] H" for a
    // triggered one; "???" for a channel of 512 or more.
    static QString channelSummary(unsigned channel);

public slots:
    void refresh();
    // Rewrites the current channel's summary.
    void refreshRow();
    void dmxChannelChange(const QModelIndex& current, const QModelIndex& previous);
    // The number of output channels in use: rows, the image word and the
    // range boxes of the scene and mask editors.
    void limitChnls(int n);
};
