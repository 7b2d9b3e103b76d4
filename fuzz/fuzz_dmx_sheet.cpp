// The DMX sheet reader: any text is read for scenes and for masks; what it
// keeps is stored into a show, written as a sheet again and read back.

#include "editors/scenes/dmx_sheet.h"
#include "model/kv310_controller.h"
#include "common/fuzz_support.h"

#include <QBuffer>

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("dmx_sheet");
    return 0;
}

namespace {

dmxSheet::readStatus readFrom(const QByteArray& bytes, const dmxSheetKind& kind, dmxSheetColumns& columns)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return dmxSheet::read(in, kind, columns);
}

// What every sheet the reader accepts must give: some columns, no more than
// the table has records, numbers within it, in order.
void check(const dmxSheetColumns& columns, const dmxSheetKind& kind)
{
    if (columns.empty() || columns.size() > size_t(kind.records))
        std::abort();
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i]->number > kind.records)
            std::abort();
        if (i > 0 && sheetRowLess(columns[i].get(), columns[i - 1].get()))
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto controller = std::make_unique<kv310_controller_class>();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const dmxSheetKind* kind : {&dmxSheetKind::scenes(), &dmxSheetKind::masks()}) {
        QString* texts = kind == &dmxSheetKind::masks() ? controller->maskDescriptions.data()
                                                         : controller->sceneDescriptions.data();
        dmxSheetColumns columns;
        if (readFrom(bytes, *kind, columns) != dmxSheet::READ_OK)
            continue;
        check(columns, *kind);
        const int first = columns.front()->number;
        const int last = columns.back()->number;
        const int stored = dmxSheet::store(columns, *kind, controller->configImage, texts, first, last, 1 - first);
        if (stored < 0 || stored > int(columns.size()))
            std::abort();

        // A few of the records stored, written and read again.
        const int from = qMin(first, kind->records - 1);
        const int to = qMin(from + 7, kind->records - 1);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        if (!dmxSheet::write(out, *kind, controller->configImage, texts, from, to))
            std::abort();
        dmxSheetColumns again;
        if (readFrom(out.data(), *kind, again) != dmxSheet::READ_OK || again.size() != size_t(to - from + 1))
            std::abort();
        check(again, *kind);
    }
    fuzzSettle();
    return 0;
}
