#pragma once

#include "app/gui_class.h"

#include <QPair>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QWidget;
class windowPlace;

// The pages a main window builds on demand: the tab page each lives on,
// their construction, and what a page built late takes. A page reads the
// show from the show when it is built; what the window rules of the show
// do to the image (limits, reads, clears) is done at once whether or not a
// page exists. A page built late takes from the window only view state that
// is not in the show: the limit of its range boxes, the range its list
// shows, the program slots offered, what the controller reported of its
// clock, the project's state, and that a read happened since it could have
// shown one (its current rows and selections go back to their start).
//
// No refresh reaches a page while a page is being built: a page whose
// construction moves a tab (it disables a tab of its neighbour) makes the
// window refresh, and that refresh waits until the build ends; the page
// then current is refreshed once.
class lazyPages {
public:
    using page = gui_class::lazyPage;
    static constexpr size_t count = size_t(page::count);

    explicit lazyPages(gui_class& window);
    ~lazyPages();

    bool isBuilt(page p) const { return built[size_t(p)]; }
    bool allBuilt() const;
    // Builds the page (and what it works from) unless it is built.
    void build(page p);
    // The tab page a page lives on, and the page of a tab page (innermost).
    QWidget* tabPageOf(page p) const;
    std::optional<page> pageOn(const QWidget* tabPage) const;

    // Whether a page is being built; a refresh asked for meanwhile waits.
    bool building() const { return depth > 0; }
    void holdRefresh() { refreshHeld = true; }
    bool refreshWaiting() const { return refreshHeld; }
    // The refresh that waited is done by the caller (it refreshes the
    // page current after the build itself).
    void dropHeldRefresh() { refreshHeld = false; }

    // A configuration was read (from a file, or from the controller): the
    // pages not built take it when they are, as their read slots would have.
    void noteRead(bool fromFile);
    // The place of a former window: now for what is built, the rest as
    // pages are built.
    void takePlace(windowPlace place);

    // View state kept for pages not built yet, as the window was told it.
    std::optional<int> rangeBoxLimit;
    std::optional<QPair<int, int>> dmxOutRange;
    int programRows = 512;
    std::optional<bool> deviceDst;
    std::optional<int> deviceCalibration;
    std::optional<bool> projectValid;

private:
    void construct(page p);
    void takeMissedRead(page p);

    gui_class& w;
    std::array<bool, count> built{};
    // Per page not built: 1 a configuration was read since, 2 from a file.
    std::array<uint8_t, count> missedReads{};
    std::unique_ptr<windowPlace> placeToTake;
    int depth = 0;
    bool refreshHeld = false;
};
