// The project description of a configuration file: any text is read into the
// descriptions, the visual project and the main window's fields, and what was
// read is written out and read back again. The quick reading of written
// descriptions must give exactly what the XML reader gives.

#include "model/globals.h"
#include "model/project_text.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "support/fake_main_window.h"
#include "common/fuzz_support.h"

#include "xml/xml_writer.h"

#include <QTextStream>

#include <cstdlib>
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

QString treeText(const parsedProject& p)
{
    QString out;
    if (p.root) {
        QTextStream stream(&out);
        stream << *p.root;
    }
    return out;
}

// Both readings of one text; a difference is a finding.
void compareReadings(const QString& text)
{
    const parsedProject quick = parseProjectText(text, true);
    const parsedProject reader = parseProjectText(text, false);
    bool same = quick.valid == reader.valid && quick.hasProject == reader.hasProject
                && quick.closed == reader.closed && quick.fileName == reader.fileName
                && quick.fileDate == reader.fileDate && quick.descriptions.size() == reader.descriptions.size()
                && treeText(quick) == treeText(reader);
    for (size_t i = 0; same && i < quick.descriptions.size(); ++i) {
        const parsedProject::description& a = quick.descriptions[i];
        const parsedProject::description& b = reader.descriptions[i];
        same = a.array == b.array && a.index == b.index && a.text == b.text;
    }
    if (!same)
        std::abort();
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
    compareReadings(QString::fromUtf8(bytes));
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
