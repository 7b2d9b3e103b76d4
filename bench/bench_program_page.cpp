// The program page: building it (as every window rebuild does), showing a
// program of 999 steps, redrawing its step table (every change of the
// current row does) and a row change. Prints the time of one of each beside
// the 16 ms of one screen frame, which a redraw on a row change should stay
// well within. The sequence page likewise: growing a sequence to 512 steps
// and back (each step moves the finish actions along), redrawing its table
// and changing its current row. Run with QT_QPA_PLATFORM=offscreen.

#include "bench_timing.h"

#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/aseq_conf_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QApplication>
#include <QSpinBox>
#include <QTableWidget>
#include <cstdio>
#include <memory>

using benchTiming::msPerRound;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kv310_controller_class c;
    theController = &c;
    c.programs.setStepCount(1, img::MAX_PROGRAM_STEPS);
    for (int i = 0; i < img::MAX_PROGRAM_STEPS; ++i) {
        c.programs.setScene(1, i, i);
        c.programs.setStepEvent(1, i, 0x400 + i);
    }
    c.programs.setRecurrences(1, 2);
    QWidget tab;
    constexpr int rounds = 20;

    const double build = msPerRound(rounds, [&] { aprogram_settings_widget page(&c, &tab); });

    aprogram_settings_widget page(&c, &tab);
    int program = 0;
    const double show = msPerRound(rounds, [&] {
        program = program == 1 ? 0 : 1;
        page.programList->setCurrentCell(program, 0);
    });
    page.programList->setCurrentCell(1, 0);
    aprogram_conf_widget* table = page.stepTable;
    const double redraw = msPerRound(rounds, [&] { table->refresh(); });
    int row = 0;
    const double rowChange = msPerRound(rounds, [&] {
        row = (row + 37) % img::MAX_PROGRAM_STEPS;
        table->setCurrentIndex(table->model()->index(row, 0));
    });

    std::printf("build the page:               %8.2f ms\n", build);
    std::printf("show a program (999 / 0 steps): %6.2f ms\n", show);
    std::printf("redraw 999 steps:             %8.2f ms   (one frame: 16 ms)\n", redraw);
    std::printf("current row change:           %8.2f ms   (one frame: 16 ms)\n", rowChange);

    // Sequence 1 of 512 steps with actions on its finish row.
    QWidget sequenceTab;
    aseq_settings_widget sequences(&sequenceTab);
    sequences.sequenceList->setCurrentCell(1, 0);
    const double grow = msPerRound(4, [&] {
        sequences.stepCountBox->setValue(img::DELAYS);
        sequences.stepCountBox->setValue(0);
    }) / 2;
    sequences.stepCountBox->setValue(img::DELAYS);
    aseq_conf_widget* steps = sequences.stepTable;
    const double redrawSteps = msPerRound(rounds, [&] { steps->refresh(); });
    const double pageRefresh = msPerRound(rounds, [&] { sequences.refresh(); });
    row = 0;
    const double stepRowChange = msPerRound(rounds, [&] {
        row = (row + 37) % img::DELAYS;
        steps->setCurrentIndex(steps->model()->index(row, 0));
    });
    std::printf("sequence to 512 steps or back: %7.2f ms\n", grow);
    std::printf("redraw 512 sequence steps:    %8.2f ms   (one frame: 16 ms)\n", redrawSteps);
    std::printf("sequence page refresh:        %8.2f ms   (one frame: 16 ms)\n", pageRefresh);
    std::printf("sequence row change:          %8.2f ms   (one frame: 16 ms)\n", stepRowChange);
    theController = nullptr;
    return 0;
}
