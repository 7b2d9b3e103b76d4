// Configuration files of every format (current, old-style, v2, v1 headers):
// any file is either read or refused with a message, and never read beyond
// its end.
//
// A changed byte inside a compressed image would only ever meet the
// checksum, so every input is read twice: as it is, and with its checksums
// made right, which carries the changes on into the decompression and the
// reading of the image and the project text behind it.

#include "model/config_file.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "support/fake_main_window.h"
#include "common/fuzz_support.h"

#include <QtEndian>

#include <memory>

namespace {

struct run {
    run()
    {
        controller = std::make_unique<kv310_controller_class>();
        project = std::make_unique<v_project>();
        window = std::make_unique<fakeMainWindow>();
        theController = controller.get();
        theVisualProject = project.get();
        theMainWindow = window.get();
    }
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
    std::unique_ptr<fakeMainWindow> window;
};

// The file with the checksum its frame names made right; false when there
// is nothing to make right.
bool withChecksums(QByteArray& file)
{
    if (file.startsWith(cfgfile::MAGIC_V2)) {
        if (file.size() < 2)
            return false;
        const qsizetype end = file.size() - 2;
        qToLittleEndian<quint16>(cfgfile::checksum(file.constData(), end), file.data() + end);
        return true;
    }
    const qsizetype zero = file.left(cfgfile::HEADER_LIMIT).indexOf('\0');
    const qsizetype h = zero + 1;
    if (zero < 0 || file.size() < h + cfgfile::RECORD_SIZE)
        return false;
    auto* record = reinterpret_cast<uint8_t*>(file.data()) + h;
    cfgfile::fileBlockRecord r = cfgfile::fileBlockRecord::read(record);
    if (qint64(r.dataOffset) + r.dataSize > file.size())
        return false;
    r.checksum = cfgfile::checksum(file.constData() + r.dataOffset, qsizetype(r.dataSize));
    r.write(record);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("config_file");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    fuzzDialogs dialogs;
    r.controller->read_confDataFromFile(fuzzWriteFile(QStringLiteral("input.31xcfg"), data, size));

    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    if (withChecksums(file) && file != QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)))
        r.controller->read_confDataFromFile(
            fuzzWriteFile(QStringLiteral("checked.31xcfg"), reinterpret_cast<const uint8_t*>(file.constData()),
                          size_t(file.size())));
    fuzzSettle();
    return 0;
}
