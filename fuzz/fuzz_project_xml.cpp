// The project description of a configuration file: any text is read into the
// descriptions, the visual project and the main window's fields, and what was
// read is written out and read back again.

#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "support/fake_main_window.h"
#include "common/fuzz_support.h"

#include <QTextStream>

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
    }
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
    std::unique_ptr<fakeMainWindow> window;
};

void readText(kv310_controller_class& c, const QByteArray& bytes)
{
    QTextStream in(bytes);
    in.setEncoding(QStringConverter::System);
    c.readProjectXml(in, 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("project_xml");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    fuzzDialogs dialogs;
    // Read with and without a main window, as at start-up and later.
    theMainWindow = size % 2 ? r.window.get() : nullptr;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    readText(*r.controller, bytes);

    v_project& vp = *r.project;
    vp.checkFixtures();
    vp.firstFreeNumber();
    QString xml;
    r.controller->writeProjectXml(xml);
    fuzzSettle();
    readText(*r.controller, xml.toLocal8Bit());

    vp.clear();
    theMainWindow = nullptr;
    fuzzSettle();
    return 0;
}
