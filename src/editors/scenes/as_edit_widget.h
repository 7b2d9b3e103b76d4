#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QPushButton;
class QTableWidget;
class admx512_sliders_widget;

// The compound-scene picture editor of the active-scenes tab: per range a
// static and an in-motion picture of the whole universe, from which the
// sectors' scenes are cut when the active scenes are applied. The table
// chooses the picture (row = range, column = static / in motion); the faders
// edit it, only on channels that belong to a sector, each fader in its
// sector's colour.
class as_edit_widget : public QWidget {
    Q_OBJECT
public:
    explicit as_edit_widget(QWidget* parent);
    ~as_edit_widget() override;

    QTableWidget* pictureTable;
    QPushButton* visualButton;                 // "Go to visual design mode"
    std::array<uint8_t, 24> sectorInUse{};     // recomputed by every refresh
    // Record 2 x range + mode of the controller's compound pictures.
    std::unique_ptr<admx512_sliders_widget> sliders;

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void scrolled(int v);
    void refresh();
    void selectionChanged();
    void goToVisualDesign();
    void rangeChanged(int range, int mode);
    // The output channel limit: the faders reach channels 1..n, as on the
    // scene and mask pages.
    void limitChnls(int n);
};
