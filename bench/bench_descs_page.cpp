// The descriptions page over a full show, on the offscreen platform: changing
// to the "Scenes" category (10240 rows of two cells, every label and
// description written) and one refresh of it after every description
// changed, as after a read of a file. The reference is a plain table of the
// same size given new texts, the least a rewrite of every cell can cost.
//
//   bench_descs_page [runs]

#include "bench_dialogs.h"
#include "bench_timing.h"
#include "support/sample_show.h"

#include "model/globals.h"
#include "model/kv310_controller.h"
#include "settings/asettings_descs_widget.h"

#include <QApplication>
#include <QComboBox>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using benchTiming::timeOf;

constexpr int SCENES_CATEGORY = 4;

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    benchDialogs::quietDialogs quiet;
    installDialogSeam(&quiet);
    kv310_controller_class controller;
    theController = &controller;
    sampleShow::build(controller, sampleShow::full);

    QWidget tab;
    tab.resize(1070, 703);
    asettings_descs_widget page(&tab);
    tab.show();
    QCoreApplication::processEvents();

    // From "States" (68 rows) to "Scenes" and back.
    const double change = timeOf(runs, [&](int) { page.categoryCombo->setCurrentIndex(SCENES_CATEGORY); },
                                 [&](int) { page.categoryCombo->setCurrentIndex(0); });
    page.categoryCombo->setCurrentIndex(SCENES_CATEGORY);
    const double refresh = timeOf(runs, [&](int) { page.refresh(); }, [&](int i) {
        for (QString& text : controller.sceneDescriptions)
            text = QStringLiteral("Scene description %1").arg(i);
    });

    QTableWidget plain(img::SCENES, 2, &tab);
    for (int r = 0; r < img::SCENES; ++r) {
        plain.setItem(r, 0, new QTableWidgetItem());
        plain.setItem(r, 1, new QTableWidgetItem());
    }
    const double reference = timeOf(runs, [&](int i) {
        for (int r = 0; r < img::SCENES; ++r) {
            plain.item(r, 0)->setData(Qt::DisplayRole, QString::number(r + i));
            plain.item(r, 1)->setData(Qt::DisplayRole, controller.sceneDescriptions[size_t(r)]);
        }
    });

    std::printf("to \"Scenes\":          %8.2f ms (median of %d)\n", change, runs);
    std::printf("refresh, new texts:   %8.2f ms (median of %d); a plain table given new texts: %.2f ms, %.2f x\n",
                refresh, runs, reference, refresh / reference);
    installDialogSeam(nullptr);
    theController = nullptr;
    return 0;
}
