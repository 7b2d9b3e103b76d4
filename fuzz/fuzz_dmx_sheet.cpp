// The DMX sheet reader: any text is read for scenes and for masks, whole and
// in pieces of a few bytes, which must read alike; what it keeps is stored
// into a show, written as a sheet again and read back.

#include "editors/scenes/dmx_sheet.h"
#include "model/kv310_controller.h"
#include "common/fuzz_support.h"
#include "support/trickle_device.h"

#include <QBuffer>

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("dmx_sheet");
    return 0;
}

namespace {

dmxSheet::readStatus readFrom(const QByteArray& bytes, const dmxSheetKind& kind, dmxSheetColumns& columns,
                              dmxSheetFindings* findings = nullptr)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return dmxSheet::read(in, kind, columns, findings);
}

bool sameColumn(const dmx_sheet_row& a, const dmx_sheet_row& b)
{
    return a.number == b.number && a.fadeUp == b.fadeUp && a.duration == b.duration && a.fadeDown == b.fadeDown
        && a.channels == b.channels && a.description == b.description && a.descriptionCut == b.descriptionCut;
}

// The same sheet handed out in pieces of 1 to 8 bytes reads to the same.
void checkPieces(const QByteArray& bytes, const dmxSheetKind& kind, dmxSheet::readStatus status,
                 const dmxSheetColumns& columns, const dmxSheetFindings& findings)
{
    trickleDevice in(bytes, 1 + (bytes.isEmpty() ? 0 : uint8_t(bytes.back()) % 8));
    dmxSheetColumns pieces;
    dmxSheetFindings piecesFound;
    if (dmxSheet::read(in, kind, pieces, &piecesFound) != status || pieces.size() != columns.size()
        || piecesFound.unreadCells != findings.unreadCells || piecesFound.unreadRow != findings.unreadRow
        || piecesFound.unreadColumn != findings.unreadColumn
        || piecesFound.rowsNotUnderstood != findings.rowsNotUnderstood
        || piecesFound.firstRowNotUnderstood != findings.firstRowNotUnderstood)
        std::abort();
    for (size_t i = 0; i < columns.size(); ++i)
        if (!sameColumn(*pieces[i], *columns[i]))
            std::abort();
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
        dmxSheetFindings findings;
        const dmxSheet::readStatus status = readFrom(bytes, *kind, columns, &findings);
        checkPieces(bytes, *kind, status, columns, findings);
        if (status != dmxSheet::READ_OK)
            continue;
        check(columns, *kind);
        if (findings.unreadCells < 0
            || (findings.unreadCells > 0 && (findings.unreadColumn < 1 || findings.unreadColumn > kind->records)))
            std::abort();
        if (findings.rowsNotUnderstood < 0 || findings.firstRowNotUnderstood.toUcs4().size() > 40)
            std::abort();
        const int first = columns.front()->number;
        const int last = columns.back()->number;
        // Stored as the page offers it: nothing when the numbers span more
        // than the table, all of them otherwise, each record once.
        const dmxSheet::storeResult result =
            dmxSheet::store(columns, *kind, controller->configImage, texts, first, last, 1 - first);
        const bool fits = last - first < kind->records;
        if (fits ? result.outside >= 0 || result.stored + result.replaced != int(columns.size())
                 : result.outside < 0 || result.stored != 0 || result.replaced != 0)
            std::abort();
        if (result.timesRepaired < 0 || result.timesRepaired > result.stored || result.descriptionsCut < 0
            || result.descriptionsCut > result.stored)
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
