#include "app/lazy_pages.h"

#include "app/gui_page_helpers.h"

#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "editors/events/aevents_dmxout_widget.h"
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_ired_widget.h"
#include "editors/events/aevents_vkeys_widget.h"
#include "editors/events/asettings_inputs_widget.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/programs/aseq_settings_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/scenes/as_edit_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "settings/asettings_clock_widget.h"
#include "settings/asettings_descs_widget.h"
#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "widgets/late_content.h"
#include "widgets/window_place.h"

#include <QPushButton>
#include <QSpinBox>

#include <cstring>
#include <iterator>
#include <utility>

using gui_pages::place;

lazyPages::lazyPages(gui_class& window)
    : w(window)
{
}

lazyPages::~lazyPages() = default;

bool lazyPages::allBuilt() const
{
    for (bool b : built)
        if (!b)
            return false;
    return true;
}

QWidget* lazyPages::tabPageOf(page p) const
{
    QWidget* const tabs[] = {
        w.tab_programs,       w.tab_seqs,           w.tab_masks,         w.tab_settings_Inputs, w.tab_settings_dmx,
        w.tab_settings_dmxin, w.tab_settings_descs, w.tab_settings_other, w.tab_settings_visual, w.tab_events_inputs,
        w.tab_events_vkeys,   w.tab_events_ired,    w.tab_events_dmx,    w.tab_events_dmxout,   w.tab_events_clock,
        w.tab_events_delays,  w.tab_as_settngs,     w.tab_as_edit,       w.tab_settings_ired,
    };
    static_assert(std::size(tabs) == count, "one tab page per page built on demand");
    return tabs[size_t(p)];
}

std::optional<lazyPages::page> lazyPages::pageOn(const QWidget* tabPage) const
{
    for (size_t p = 0; p < count; ++p)
        if (tabPageOf(page(p)) == tabPage)
            return page(p);
    return std::nullopt;
}

void lazyPages::build(page p)
{
    if (isBuilt(p))
        return;
    // The compound scenes are composed by the active-scenes page.
    if (p == page::compoundScenes)
        build(page::activeScenes);
    built[size_t(p)] = true;
    ++depth;
    construct(p);
    // A page made on its tab as the tab is shown.
    showLateContent(tabPageOf(p));
    takeMissedRead(p);
    --depth;
    // Chosen as the user chose it in the former window: a visit.
    if (placeToTake && depth == 0)
        placeToTake->restoreInto(&w);
    // A refresh that waited for the build; within a refresh, that refresh
    // reloads the page current after the build itself.
    if (depth == 0 && refreshHeld && !w.refreshing) {
        refreshHeld = false;
        w.refresh();
    }
}

void lazyPages::takePlace(windowPlace place)
{
    placeToTake = std::make_unique<windowPlace>(std::move(place));
    placeToTake->restoreInto(&w);
}

void lazyPages::noteRead(bool fromFile)
{
    for (size_t p = 0; p < count; ++p)
        if (!built[p])
            missedReads[p] |= fromFile ? 3 : 1;
}

void lazyPages::construct(page p)
{
    kv310_controller_class* controller = w.controller;
    switch (p) {
    case page::programs:
        w.programEditor = new aprogram_settings_widget(controller, w.tab_programs);
        w.programEditor->programRows = programRows;
        QObject::connect(w.programEditor, &aprogram_settings_widget::relabelScenes, w.sceneEditor,
                         &ascene_settings_widget::relabel);
        QObject::connect(w.programEditor->editSceneButton, &QPushButton::clicked, &w, &gui_class::switchToScene);
        break;
    case page::sequences:
        w.sequenceEditor = new aseq_settings_widget(w.tab_seqs);
        break;
    case page::masks:
        w.maskEditor = new amask_settings_widget(controller, w.tab_masks);
        // In the order a limit reaches a page built before it: its range
        // boxes, then its faders.
        if (rangeBoxLimit)
            w.maskEditor->limitChannelRanges(*rangeBoxLimit);
        if (w.outputLimitChanged)
            w.maskEditor->limitChnls(w.outputLimit);
        break;
    case page::inputsSettings:
        w.inputsSettings = new asettings_inputs_widget(w.tab_settings_Inputs);
        break;
    case page::dmxOutSettings: {
        w.dmxOutSettings = new asettings_dmx_widget(w.tab_settings_dmx);
        QSpinBox* channelLimit = w.dmxOutSettings->settingsPanel->spinChnlMax;
        QObject::connect(channelLimit, &QSpinBox::valueChanged, &w, &gui_class::outputLimitShown);
        channelLimit->setValue(w.outputLimit);
        break;
    }
    case page::dmxInSettings:
        w.dmxInSettings = new asettings_dmx_in_widget(w.tab_settings_dmxin);
        if (rangeBoxLimit)
            w.dmxInSettings->limitRangeBoxes(*rangeBoxLimit);
        break;
    case page::descsSettings:
        w.descsSettings = new asettings_descs_widget(w.tab_settings_descs);
        break;
    case page::otherSettings:
        w.buildOtherPage();
        // What the controller reported of its clock while the page was not there.
        if (deviceDst)
            w.clockSettings->dstBox->setChecked(*deviceDst);
        if (deviceCalibration)
            w.clockSettings->showDeviceCalibration(*deviceCalibration);
        break;
    case page::visualProject:
        w.buildVisualProjectPage();
        break;
    case page::inputsEvents:
        w.inputsEvents = new aevents_inputs_widget(w.tab_events_inputs);
        break;
    case page::vkeysEvents:
        w.vkeysEvents = new aevents_vkeys_widget(w.tab_events_vkeys);
        break;
    case page::iredEvents:
        w.iredEvents = new aevents_ired_widget(w.tab_events_ired);
        break;
    case page::dmxInEvents:
        w.dmxInEvents = new aevents_dmx_widget(w.tab_events_dmx);
        break;
    case page::dmxOutEvents:
        w.dmxOutEvents = new aevents_dmxout_widget(w.tab_events_dmxout);
        if (dmxOutRange) {
            w.dmxOutEvents->firstChannel = dmxOutRange->first;
            w.dmxOutEvents->lastChannel = dmxOutRange->second;
        }
        break;
    case page::clockEvents:
        w.clockEvents = new aevents_clock_widget(w.tab_events_clock);
        break;
    case page::delayEvents:
        w.delayEvents = new aevents_dlyd_widget(w.tab_events_delays);
        QObject::connect(&w, &gui_class::refreshDldEvents, w.delayEvents,
                         qOverload<>(&aevents_dlyd_widget::refresh));
        break;
    case page::activeScenes: {
        // The compound pictures are the show's: the window composed them
        // at start and at every read, whichever pages existed. A page
        // built over empty pictures composes them only where it is the
        // first to see the show.
        decltype(controller->compoundScenes) pictures;
        if (controller)
            std::memcpy(pictures, controller->compoundScenes, sizeof pictures);
        w.activeScenes = new as_conf_widget(w.tab_as_settngs);
        place(w.activeScenes, 10, 20, 830, 630);
        if (controller)
            std::memcpy(controller->compoundScenes, pictures, sizeof pictures);
        break;
    }
    case page::compoundScenes:
        w.activeSceneEditor = new as_edit_widget(w.tab_as_edit);
        place(w.activeSceneEditor, 0, 0, 840, 640);
        // Every bank of faders follows the output channel limit, whenever
        // the window was built.
        if (w.outputLimitChanged)
            w.activeSceneEditor->limitChnls(w.outputLimit);
        break;
    case page::iredSettings:
        w.tab_settings_ired->build();
        break;
    case page::count:
        break;
    }
}

void lazyPages::takeMissedRead(page p)
{
    const uint8_t missed = std::exchange(missedReads[size_t(p)], 0);
    kv310_controller_class* controller = w.controller;
    if (!missed || !controller)
        return;
    const bool fromFile = missed & 2;
    switch (p) {
    case page::programs: {
        if (fromFile)
            w.programEditor->relabel();
        w.programEditor->keepCurrentProgramOffered();
        const int program = qMax(w.programEditor->currentProgram, 0);
        w.programEditor->sceneCountChange(controller->programs.stepCount(program), true);
        break;
    }
    case page::sequences:
        if (fromFile)
            w.sequenceEditor->seqNumberChange(0, 0, 0, 0);
        break;
    case page::inputsEvents:
        w.inputsEvents->afterReload();
        break;
    case page::dmxInEvents:
        w.dmxInEvents->afterReload();
        break;
    case page::activeScenes:
        // What the read made of the show the window did at once; a read
        // with a control channel switches the page on.
        if (img::getU16(controller->configImage, img::asControlChannel) < img::CHANNELS)
            w.activeScenes->setChecked(true);
        break;
    default:
        break;
    }
}
