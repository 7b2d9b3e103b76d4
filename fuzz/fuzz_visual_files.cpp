// The fixture library (".fxl") and visual project (".kvp") files the
// visual-project page opens: any pair of files is read or refused, and the
// fixtures built from them stand.
//
// Input: u16 length of the library file, the library file, then the
// project file.

#include "app/gui_class.h"
#include "common/fuzz_input.h"
#include "common/fuzz_support.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"

#include <QLineEdit>

#include <memory>

namespace {

struct run {
    run()
    {
        controller = std::make_unique<kv310_controller_class>();
        theController = controller.get();
        project = std::make_unique<v_project>();
        theVisualProject = project.get();
        fuzzDialogs dialogs;
        window = std::make_unique<gui_class>(controller.get(), nullptr);
        theMainWindow = window.get();
    }
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
    std::unique_ptr<gui_class> window;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzInitialize("visual_files");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static run r;
    fuzzDialogs dialogs;
    fuzzInput in(data, size);
    const QByteArray library = in.bytes(in.u16());
    const QByteArray project = in.rest();

    // A fresh project each time: fixtures of an earlier one keep its tree alive.
    r.project->clear();
    r.window->libraryFileEdit->setText(fuzzWriteFile(QStringLiteral("input.fxl"),
                                                     reinterpret_cast<const uint8_t*>(library.constData()),
                                                     size_t(library.size())));
    r.window->readLibrary();
    r.window->projectFileEdit->setText(fuzzWriteFile(QStringLiteral("input.kvp"),
                                                     reinterpret_cast<const uint8_t*>(project.constData()),
                                                     size_t(project.size())));
    r.window->readProject();
    r.project->readDevices();
    r.project->readGroups();
    r.project->checkFixtures();
    // Definitions replaced from the library, as the page's button does.
    dialogs.answers = {1};
    r.project->refreshFixtLib();
    fuzzSettle();
    return 0;
}
