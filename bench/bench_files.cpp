// Saves and loads a full show (every scene filled with varied values, full
// program, action and timer tables, every description set) and sets the
// times beside what their data paths cannot avoid: the save beside
// qCompress level 9 of the 0x580000 image bytes it stores, the load beside
// qUncompress of the same file's block plus parsing its project XML with the
// XML reader and taking it. Then the size of the compressed image of an
// empty, a half-full and a full show beside what qCompress level 9 makes of
// it.

#include "bench_dialogs.h"
#include "bench_timing.h"

#include "seams/dialog_seam.h"
#include "model/config_file.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/project_text.h"
#include "model/time_codes.h"
#include "support/sample_show.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using benchDialogs::quietDialogs;

using benchTiming::medianOf;

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The compressed block of a saved file.
QByteArray blockOf(const QByteArray& content, cfgfile::fileBlockRecord& record)
{
    const qsizetype header = content.indexOf('\0') + 1;
    record = cfgfile::fileBlockRecord::read(reinterpret_cast<const uint8_t*>(content.constData()) + header);
    return content.mid(record.dataOffset, record.dataSize);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    quietDialogs dialogsShown;
    installDialogSeam(&dialogsShown);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.31xcfg"));
    constexpr int rounds = 7;

    // Sizes: an empty show, the full show with its upper half of scenes
    // cleared, and the full show.
    std::printf("compressed image, bytes   this program   qCompress level 9\n");
    bool smaller = true;
    for (const char* show : {"empty", "half", "full"}) {
        kv310_controller_class c;
        if (std::strcmp(show, "empty") != 0)
            sampleShow::build(c, sampleShow::full);
        if (std::strcmp(show, "half") == 0) {
            const int half = img::SCENES / 2;
            std::memset(c.configImage + img::sceneChannelsOf(half), 0, size_t(img::SCENES - half) * img::CHANNELS);
        }
        c.write_confDataToFile(path, false);
        cfgfile::fileBlockRecord record;
        const qsizetype ours = blockOf(fileContent(path), record).size();
        const qsizetype zlib = qCompress(c.configImage, img::STORED_SIZE, 9).size();
        smaller = smaller && ours <= zlib;
        std::printf("  %-5s show              %10lld          %10lld\n", show, static_cast<long long>(ours),
                    static_cast<long long>(zlib));
    }
    std::printf("  no larger than qCompress level 9: %s\n\n", smaller ? "yes" : "NO");

    kv310_controller_class c;
    theController = &c;
    sampleShow::build(c, sampleShow::full);

    const double compressMs = medianOf(rounds, [&] { qCompress(c.configImage, img::STORED_SIZE, 9); });
    const double saveMs = medianOf(rounds, [&] { c.write_confDataToFile(path, false); });

    const QByteArray content = fileContent(path);
    if (content.isEmpty() || dialogsShown.problems) {
        std::fprintf(stderr, "the show could not be saved\n");
        return 1;
    }
    cfgfile::fileBlockRecord record;
    const QByteArray block = blockOf(content, record);
    QByteArray image;
    const double uncompressMs = medianOf(rounds, [&] { image = qUncompress(block); });
    const double parseMs = medianOf(rounds, [&] {
        parsedProject text = parseProjectText(QString::fromUtf8(content.mid(record.textOffset)), false);
        c.takeProjectText(text, false);
    });
    const double loadMs = medianOf(rounds, [&] { c.read_confDataFromFile(path); });
    if (dialogsShown.problems || image.size() != qsizetype(img::STORED_SIZE)) {
        std::fprintf(stderr, "the show could not be loaded\n");
        return 1;
    }

    std::printf("full show: file %lld bytes, compressed image %lld bytes, project XML %u characters\n",
                static_cast<long long>(content.size()), static_cast<long long>(block.size()), record.textLength);
    std::printf("medians of %d runs\n", rounds);
    std::printf("qCompress level 9:        %8.1f ms\n", compressMs);
    std::printf("save:                     %8.1f ms   %.2f x qCompress level 9 (goal: at most 0.35)\n", saveMs,
                saveMs / compressMs);
    std::printf("qUncompress of the block: %8.1f ms\n", uncompressMs);
    std::printf("XML reader's parse:       %8.1f ms\n", parseMs);
    std::printf("load:                     %8.1f ms   %.2f x qUncompress + parse (goal: at most 0.60)\n", loadMs,
                loadMs / (uncompressMs + parseMs));
    installDialogSeam(nullptr);
    theController = nullptr;
    return 0;
}
