// Exports 255 full scenes (every channel set, times and descriptions) as a
// DMX sheet and imports it back (read, parse, store; the page refresh is
// not counted), each set beside a plain write and a plain read of the same
// bytes. The scene page does both within a click: each stays under 50 ms.

#include "bench_dialogs.h"
#include "bench_timing.h"
#include "support/sample_show.h"

#include "editors/scenes/dmx_sheet.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <functional>

using benchTiming::bestOf;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchDialogs::quietDialogs quiet;
    installDialogSeam(&quiet);
    QTemporaryDir dir;
    kv310_controller_class c;
    sampleShow::build(c, sampleShow::full);
    const dmxSheetKind& kind = dmxSheetKind::scenes();
    const QString sheetPath = dir.filePath(QStringLiteral("scenes.csv"));
    const QString plainPath = dir.filePath(QStringLiteral("plain.csv"));
    constexpr int first = 100, last = 354, rounds = 5;

    bool ok = true;
    const double exportMs = bestOf(rounds, [&] {
        QSaveFile file(sheetPath);
        ok = ok && file.open(QIODevice::WriteOnly)
            && dmxSheet::write(file, kind, c.configImage, c.sceneDescriptions.data(), first, last) && file.commit();
    });
    QFile written(sheetPath);
    if (!ok || !written.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the sheet could not be written\n");
        return 1;
    }
    const QByteArray bytes = written.readAll();
    written.close();
    const double plainWriteMs = bestOf(rounds, [&] {
        QSaveFile file(plainPath);
        ok = ok && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    });

    kv310_controller_class target;
    int stored = 0;
    const double importMs = bestOf(rounds, [&] {
        QFile file(sheetPath);
        dmxSheetColumns columns;
        ok = ok && file.open(QIODevice::ReadOnly) && dmxSheet::read(file, kind, columns) == dmxSheet::READ_OK;
        stored = ok ? dmxSheet::store(columns, kind, target.configImage, target.sceneDescriptions.data(),
                                      columns.front()->number, columns.back()->number, 0)
                             .stored
                    : 0;
    });
    QByteArray plain;
    const double plainReadMs = bestOf(rounds, [&] {
        QFile file(plainPath);
        ok = ok && file.open(QIODevice::ReadOnly);
        plain = file.readAll();
    });
    if (!ok || stored != last - first + 1 || plain != bytes
        || std::memcmp(target.configImage + img::sceneChannelsOf(first), c.configImage + img::sceneChannelsOf(first),
                       size_t(stored) * 512) != 0) {
        std::fprintf(stderr, "the sheet did not come back\n");
        return 1;
    }

    std::printf("sheet of %d scenes: %lld bytes\n", stored, static_cast<long long>(bytes.size()));
    std::printf("export:                %8.2f ms   plain write %6.2f ms   (export at most 50 ms)\n", exportMs,
                plainWriteMs);
    std::printf("import (parse, store): %8.2f ms   plain read  %6.2f ms   (import at most 50 ms)\n", importMs,
                plainReadMs);
    installDialogSeam(nullptr);
    return 0;
}
