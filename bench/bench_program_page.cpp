// The program page: building it (as every window rebuild does), building
// and drawing it on a shown tab, drawing it again with the "Single Steps"
// and the "Groupped Steps" tab in front, what a read of a file does to it
// (relabel, refresh, drawing), showing a program of 999 steps, redrawing
// its step table (every change of the current row does) and a row change.
// The sequence page likewise: building it, growing a sequence to 512 steps
// and back (each step moves the finish actions along), redrawing its table,
// its refresh with its list drawn, and a change of its current row. Every
// program and sequence has a description longer than its list shows.
// Prints the median of each beside the 16 ms of one screen frame.
//
//   bench_program_page [runs]

#include "bench_timing.h"

#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/aseq_conf_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "model/config_image.h"
#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QApplication>
#include <QSpinBox>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <memory>

using benchTiming::timeOf;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    kv310_controller_class c;
    theController = &c;
    c.programs.setStepCount(1, img::MAX_PROGRAM_STEPS);
    for (int i = 0; i < img::MAX_PROGRAM_STEPS; ++i) {
        c.programs.setScene(1, i, i);
        c.programs.setStepEvent(1, i, 0x400 + i);
    }
    c.programs.setRecurrences(1, 2);
    for (int p = 0; p < img::PROGRAM_SLOTS; ++p)
        c.programDescriptions[size_t(p)] = QStringLiteral("Program %1 of the evening show, second act").arg(p + 1);
    for (int q = 0; q < img::SEQUENCES; ++q)
        c.eventDescriptions[size_t(EVENT_SEQUENCE_START + q)] = QStringLiteral("Sequence %1 of the foyer").arg(q + 1);

    // The main window's frame is on the screen; the program tab is shown
    // with the page built into it, as when the user first opens it.
    QWidget frame;
    frame.resize(870, 700);
    frame.show();
    QCoreApplication::processEvents();
    const auto freshTab = [&frame] {
        auto* tab = new QWidget(&frame);
        tab->setGeometry(0, 0, 860, 690);
        tab->hide();
        return tab;
    };

    const double build = timeOf(runs, [&](int) {
        QWidget tab;
        aprogram_settings_widget page(&c, &tab);
    });
    const double buildAndDraw = timeOf(runs, [&](int) {
        std::unique_ptr<QWidget> tab(freshTab());
        aprogram_settings_widget page(&c, tab.get());
        tab->show();
        tab->repaint();
    });

    std::unique_ptr<QWidget> tab(freshTab());
    aprogram_settings_widget page(&c, tab.get());
    tab->show();
    tab->repaint();
    const double redrawSingle = timeOf(runs, [&](int) { tab->repaint(); });
    page.toolTabs->setCurrentIndex(1);
    tab->repaint();
    const double redrawGroup = timeOf(runs, [&](int) { tab->repaint(); });
    // A read of a file: the window relabels the list, applies the current
    // program's count and reloads the page, which is then drawn.
    const double read = timeOf(runs, [&](int) {
        page.relabel();
        page.sceneCountChange(c.programs.stepCount(page.currentProgram), true);
        page.refresh();
        tab->repaint();
    }, [&](int i) {
        for (QString& text : c.programDescriptions)
            text[0] = QChar(u'A' + i % 26);
    });
    page.toolTabs->setCurrentIndex(0);

    int program = 0;
    const double show = timeOf(runs, [&](int) {
        program = program == 1 ? 0 : 1;
        page.programList->setCurrentCell(program, 0);
    });
    page.programList->setCurrentCell(1, 0);
    aprogram_conf_widget* table = page.stepTable;
    const double redraw = timeOf(runs, [&](int) { table->refresh(); });
    int row = 0;
    const double rowChange = timeOf(runs, [&](int) {
        row = (row + 37) % img::MAX_PROGRAM_STEPS;
        table->setCurrentIndex(table->model()->index(row, 0));
    });

    std::printf("build the page:                 %8.2f ms\n", build);
    std::printf("build and draw the page:        %8.2f ms\n", buildAndDraw);
    std::printf("draw the page, Single Steps:    %8.2f ms   (one frame: 16 ms)\n", redrawSingle);
    std::printf("draw the page, Groupped Steps:  %8.2f ms   (one frame: 16 ms)\n", redrawGroup);
    std::printf("read: relabel, refresh, draw:   %8.2f ms   (one frame: 16 ms)\n", read);
    std::printf("show a program (999 / 0 steps): %7.2f ms\n", show);
    std::printf("redraw 999 steps:               %8.2f ms   (one frame: 16 ms)\n", redraw);
    std::printf("current row change:             %8.2f ms   (one frame: 16 ms)\n", rowChange);

    const double buildSequences = timeOf(runs, [&](int) {
        QWidget sequenceTab;
        aseq_settings_widget sequences(&sequenceTab);
    });
    // Sequence 1 of 512 steps with actions on its finish row.
    std::unique_ptr<QWidget> sequenceTab(freshTab());
    aseq_settings_widget sequences(sequenceTab.get());
    sequenceTab->show();
    sequences.sequenceList->setCurrentCell(1, 0);
    const double grow = timeOf(std::max(2, runs / 4), [&](int) {
        sequences.stepCountBox->setValue(img::DELAYS);
        sequences.stepCountBox->setValue(0);
    }) / 2;
    sequences.stepCountBox->setValue(img::DELAYS);
    aseq_conf_widget* steps = sequences.stepTable;
    const double redrawSteps = timeOf(runs, [&](int) { steps->refresh(); });
    const double pageRefresh = timeOf(runs, [&](int) {
        sequences.refresh();
        sequences.sequenceList->viewport()->repaint();
    });
    row = 0;
    const double stepRowChange = timeOf(runs, [&](int) {
        row = (row + 37) % img::DELAYS;
        steps->setCurrentIndex(steps->model()->index(row, 0));
    });
    std::printf("build the sequence page:        %8.2f ms\n", buildSequences);
    std::printf("sequence to 512 steps or back:  %8.2f ms\n", grow);
    std::printf("redraw 512 sequence steps:      %8.2f ms   (one frame: 16 ms)\n", redrawSteps);
    std::printf("sequence page refresh, drawn:   %8.2f ms   (one frame: 16 ms)\n", pageRefresh);
    std::printf("sequence row change:            %8.2f ms   (one frame: 16 ms)\n", stepRowChange);
    std::printf("(medians of %d runs)\n", runs);
    theController = nullptr;
    return 0;
}
