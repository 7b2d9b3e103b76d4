// The fixture library (".fxl") and visual project (".kvp") files the
// visual-project page opens: any pair of files is read or refused, and the
// fixtures built from them stand: their light is computed from channel
// values, their beams placed and painted on a plan.
//
// Input: u16 length of the library file, the library file, a byte for the
// plan's zoom, 512 channel values, then the project file.

#include "app/gui_class.h"
#include "common/fuzz_input.h"
#include "common/fuzz_support.h"
#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "support/fixture_plan.h"

#include <QLineEdit>

#include <array>
#include <memory>

namespace {

struct run {
    run()
    {
        plan = std::make_unique<fixturePlan>();
        plan->resize(320, 240);
        plan->show();
        controller = std::make_unique<kv310_controller_class>();
        theController = controller.get();
        project = std::make_unique<v_project>();
        theVisualProject = project.get();
        fuzzDialogs dialogs;
        window = std::make_unique<gui_class>(controller.get(), nullptr);
        theMainWindow = window.get();
    }
    // The project deletes its fixtures before the plan they are shown on goes.
    std::unique_ptr<fixturePlan> plan;
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
    std::unique_ptr<gui_class> window;
    std::array<uint8_t, 512> values {};
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
    r.plan->zoom = (in.u8() + 1) / 16.0;
    r.values.fill(0);
    in.bytes(r.values.data(), r.values.size());
    const QByteArray project = in.rest();

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

    // The show: every fixture's light from the values, its beam on the plan.
    r.plan->values = r.values.data();
    for (lightEffect* f : std::as_const(r.project->fixtures)) {
        r.plan->adopt(*f);
        f->computeLight(r.values.data());
        f->fountainLevel(r.values.data());
        f->refreshLight(*r.plan);
    }
    r.plan->grab();
    fuzzSettle();
    return 0;
}
