// The scene page over a full show, on the offscreen platform: building the
// page, one refresh (every row text and colour, the shown scene), one
// relabel after every description changed (as after a read) until the list
// has drawn what it shows, choosing another scene until it is drawn, and one
// fader movement. The reference beside the refresh is a plain 10240-row
// table given new texts and backgrounds, the least a reload of the list of
// items could cost.
//
//   bench_scene_page [runs]

#include "bench_dialogs.h"
#include "bench_timing.h"
#include "support/sample_show.h"

#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/admx_slider_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QApplication>
#include <QSlider>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using benchTiming::timeOf;

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    benchDialogs::quietDialogs quiet;
    installDialogSeam(&quiet);
    channelCount = 512;
    kv310_controller_class controller;
    theController = &controller;
    sampleShow::build(controller, sampleShow::full);

    // The page's widgets belong to the tab it is built on: each build gets a
    // tab of its own, so that one page is shown and drawn.
    std::unique_ptr<QWidget> tabPage;
    std::unique_ptr<ascene_settings_widget> page;
    const double build = timeOf(std::max(3, runs / 4), [&](int) {
        page = std::make_unique<ascene_settings_widget>(&controller, tabPage.get());
    }, [&](int) {
        page.reset();
        tabPage = std::make_unique<QWidget>();
        tabPage->resize(1070, 703);
    });
    QWidget& tab = *tabPage;
    tab.show();
    QCoreApplication::processEvents();

    const double refresh = timeOf(runs, [&](int) { page->refresh(); });
    // Every text differs from the one shown, as after a read of a file.
    const double fresh = timeOf(runs, [&](int) { page->refresh(); }, [&](int i) {
        for (QString& text : controller.sceneDescriptions)
            text[0] = QChar(u'A' + i % 26);
    });
    // What a read leaves to the page: new texts, shown once the events that
    // draw the list are through.
    const auto newTexts = [&](int i) {
        for (QString& text : controller.sceneDescriptions)
            text[0] = QChar(u'a' + i % 26);
        QCoreApplication::processEvents();
    };
    const double freshDrawn = timeOf(runs, [&](int) {
        page->refresh();
        QCoreApplication::processEvents();
    }, newTexts);
    const double relabel = timeOf(runs, [&](int) {
        page->relabel();
        QCoreApplication::processEvents();
    }, newTexts);
    const double choose = timeOf(runs, [&](int i) {
        page->sceneList->setCurrentCell(1 + i, 0);
        QCoreApplication::processEvents();
    }, [&](int) { QCoreApplication::processEvents(); });
    const double fader = timeOf(runs * 10, [&](int i) {
        page->sliderBank->sliders[size_t(i % 10)]->slider->setValue(i % 256);
    });

    QTableWidget plain(img::SCENES, 1);
    for (int r = 0; r < img::SCENES; ++r)
        plain.setItem(r, 0, new QTableWidgetItem());
    const double reference = timeOf(runs, [&](int i) {
        const QBrush brush(i % 2 ? Qt::white : Qt::green);
        for (int r = 0; r < img::SCENES; ++r) {
            QTableWidgetItem* item = plain.item(r, 0);
            item->setData(Qt::EditRole, QString::number(r + i));
            item->setBackground(brush);
        }
    });

    std::printf("page built:          %8.2f ms (median of %d)\n", build, std::max(3, runs / 4));
    std::printf("refresh:             %8.2f ms (median of %d)\n", refresh, runs);
    std::printf("refresh, new texts:  %8.2f ms (median of %d); a plain table given new texts: %.2f ms, %.2f x\n", fresh,
                runs, reference, fresh / reference);
    std::printf("refresh, new texts, drawn:%8.2f ms (median of %d)\n", freshDrawn, runs);
    std::printf("relabel, new texts, drawn:%8.2f ms (median of %d)\n", relabel, runs);
    std::printf("another scene chosen, drawn:%8.2f ms (median of %d)\n", choose, runs);
    std::printf("fader moved:         %8.4f ms (median of %d)\n", fader, runs * 10);
    page.reset();
    tabPage.reset();
    installDialogSeam(nullptr);
    theController = nullptr;
    return 0;
}
