// Saves and loads a full show (every scene filled with varied values, full
// program, action and timer tables, every description set) and sets the
// times beside what their data paths cannot avoid: the save beside
// qCompress level 9 of the 0x580000 image bytes it stores, the load beside
// qUncompress of that block plus parsing the project XML.

#include "bench_dialogs.h"

#include "seams/dialog_seam.h"
#include "model/config_file.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "support/sample_show.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using benchDialogs::quietDialogs;

// The shortest of `rounds` runs, in milliseconds.
double bestOf(int rounds, const std::function<void()>& work)
{
    qint64 best = -1;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        work();
        const qint64 ns = timer.nsecsElapsed();
        if (best < 0 || ns < best)
            best = ns;
    }
    return double(best) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    quietDialogs dialogsShown;
    installDialogSeam(&dialogsShown);
    QTemporaryDir dir;

    kv310_controller_class c;
    theController = &c;
    sampleShow::build(c, sampleShow::full);
    const QString path = dir.filePath(QStringLiteral("bench.31xcfg"));
    constexpr int rounds = 3;

    QByteArray block;
    const double compressMs = bestOf(rounds, [&] { block = qCompress(c.configImage, img::STORED_SIZE, 9); });
    const double saveMs = bestOf(rounds, [&] { c.write_confDataToFile(path, false); });

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || dialogsShown.problems) {
        std::fprintf(stderr, "the show could not be saved\n");
        return 1;
    }
    const QByteArray content = file.readAll();
    const qsizetype header = content.indexOf('\0') + 1;
    const cfgfile::fileBlockRecord record =
        cfgfile::fileBlockRecord::read(reinterpret_cast<const uint8_t*>(content.constData()) + header);
    QByteArray image;
    const double uncompressMs = bestOf(rounds, [&] { image = qUncompress(block); });
    const double parseMs = bestOf(rounds, [&] {
        QTextStream in(content);
        in.setEncoding(QStringConverter::System);
        c.readProjectXml(in, record.textOffset);
    });
    const double loadMs = bestOf(rounds, [&] { c.read_confDataFromFile(path); });
    if (dialogsShown.problems || image.size() != qsizetype(img::STORED_SIZE)) {
        std::fprintf(stderr, "the show could not be loaded\n");
        return 1;
    }

    std::printf("file: %lld bytes, compressed image %lld bytes, project XML %u characters\n",
                static_cast<long long>(content.size()), static_cast<long long>(block.size()), record.textLength);
    std::printf("qCompress level 9:     %8.1f ms\n", compressMs);
    std::printf("save:                  %8.1f ms   ratio %.2f (at most 1.30)\n", saveMs, saveMs / compressMs);
    std::printf("qUncompress:           %8.1f ms\n", uncompressMs);
    std::printf("parse project XML:     %8.1f ms\n", parseMs);
    const double loadBudget = 2 * uncompressMs + parseMs;
    std::printf("load:                  %8.1f ms   ratio %.2f to 2 x qUncompress + parse (at most 1.00)\n", loadMs,
                loadMs / loadBudget);
    installDialogSeam(nullptr);
    theController = nullptr;
    return 0;
}
