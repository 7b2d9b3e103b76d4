// The fingerprint of the show: what a save would write of it, reduced to
// checksums, so that closing the program can tell unsaved work from a show
// that is on disk (or in the controller) as it is.
//
// Nothing is written out for it: the image is summed where it lies, and the
// project description through what it is written from (the descriptions,
// the field, the visual project's trees and groups), each in a form that
// tells apart exactly what the writer writes apart.

#include "model/kv310_controller.h"

#include "fixtures/light_effect.h"
#include "model/globals.h"
#include "model/project_text.h"
#include "model/v_project.h"
#include "seams/gui_base.h"
#include "xml/xml_node.h"

#include <QHashFunctions>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The memory tables are packed into the image's first part, below the mask
// records; nothing from there on is written by packing.
constexpr uint32_t TABLES_END = img::maskChannels;
static_assert(img::eventActionsOf(img::ACTION_RECORDS) <= TABLES_END);

// A 64-bit hash of everything added, in order: Qt's hash of memory, which
// where the processor has AES instructions runs as fast as the memory is
// read, in one pass. Small pieces (a text, a number) are gathered first, so
// that each costs a copy rather than a call. The hash also depends on the
// process's hash seed, which nothing here changes: fingerprints are
// compared only within one run.
class sums {
public:
    void add(const void* data, size_t size)
    {
        // An empty text may have no data at all.
        if (size == 0)
            return;
        if (size > sizeof(pending) / 4) {
            flush();
            sum(data, size);
            return;
        }
        if (used + size > sizeof(pending))
            flush();
        std::memcpy(pending.data() + used, data, size);
        used += size;
    }
    void addNumber(int64_t v) { add(&v, sizeof v); }
    // Its length first, so that where one text ends and the next begins counts.
    void addText(QStringView text)
    {
        addNumber(text.size());
        add(text.data(), size_t(text.size()) * sizeof(QChar));
    }
    uint64_t value()
    {
        flush();
        return hash;
    }

private:
    // Each piece is hashed with the hash so far as its seed. Qt takes its
    // fast way only for a seed other than 0.
    static constexpr size_t FIRST_SEED = 0x9E3779B97F4A7C15u;
    void sum(const void* data, size_t size) { hash = qHashBits(data, size, hash ? hash : FIRST_SEED); }
    void flush()
    {
        if (used)
            sum(pending.data(), used);
        used = 0;
    }

    size_t hash = FIRST_SEED;
    std::array<uint8_t, 0x4000> pending;
    size_t used = 0;
};

// Ends a list whose entries are told apart by their lengths.
constexpr int64_t END_OF_LIST = -1;

template <typename Array>
void addDescriptions(sums& s, const Array& texts)
{
    // The writer leaves out empty ones, null or not: both count as length 0.
    for (const QString& t : texts)
        s.addText(t);
}

// An attribute the node writer writes: its name as written (trimmed) and its
// value; one with neither is not written.
void addAttributes(sums& s, const xml_list<xml_attr>& attrs)
{
    for (const xml_attr& a : attrs) {
        if (a.name.isEmpty() && a.value.isEmpty())
            continue;
        s.addText(QStringView(a.name).trimmed());
        s.addText(a.value);
    }
    s.addNumber(END_OF_LIST);
}

// A node as the node writer writes it: indentation, names (trimmed),
// attributes, comment, elements and child nodes; not the cursor.
void addNode(sums& s, const xml_node& node)
{
    s.addNumber(std::max(node.level, 0));
    s.addText(QStringView(node.name).trimmed());
    addAttributes(s, node.attrs);
    s.addText(node.comment);
    for (const xml_element& e : node.elements) {
        s.addNumber(std::max(e.level, 0));
        s.addText(QStringView(e.name).trimmed());
        addAttributes(s, e.attrs);
        s.addText(e.value);
    }
    s.addNumber(END_OF_LIST);
    for (const xml_node& child : node.nodes)
        addNode(s, child);
    s.addNumber(END_OF_LIST);
}

// One of the project tree's nodes the description holds ("library",
// "devices"); a missing one is written as an empty pair of tags.
void addProjectNode(sums& s, v_project* project, QLatin1String name)
{
    const xml_node* node = project ? projectParts::childNode(project->projectTree, name) : nullptr;
    s.addNumber(node ? 1 : 0);
    if (node)
        addNode(s, *node);
}

// The groups as written: the selected fixtures (the group "default"), then
// every group with its members, each fixture by its number.
void addGroups(sums& s, const v_project* project)
{
    if (project) {
        for (const lightEffect* f : project->fixtures)
            if (f->selected)
                s.addNumber(f->number);
    }
    s.addNumber(END_OF_LIST);
    if (project) {
        for (const efGroup* g : project->groups) {
            s.addText(g->name);
            for (const lightEffect* f : g->members)
                s.addNumber(f->number);
            s.addNumber(END_OF_LIST);
        }
    }
    s.addNumber(END_OF_LIST);
}

} // namespace

kv310_controller_class::showFingerprint kv310_controller_class::currentFingerprint()
{
    ++fingerprintsComputed;
    showFingerprint f;
    // The memory tables as a save packs them, into a copy of the part of the
    // image they are packed into: the image itself stays as it is, and the
    // rest of it is summed where it is. The copy is kept for the next time,
    // a fresh one costing more in page faults than the copying.
    if (!fingerprintImage)
        fingerprintImage.reset(new (std::nothrow) uint8_t[TABLES_END]);
    uint8_t* const copy = fingerprintImage.get();
    if (!copy)
        return f;
    std::memcpy(copy, configImage, TABLES_END);
    uint8_t* const image = configImage;
    configImage = copy;
    const bool eventsPacked = events.packEvents(configImage) == 0;
    const bool programsPacked = programs.packPrograms(configImage) == 0;
    packTimers();
    packCoupledScenes();
    configImage = image;

    // The project area only holds a copy of the descriptions, stored there
    // before a send: the descriptions count through the project text.
    sums imageSums;
    imageSums.add(copy, TABLES_END);
    imageSums.add(image + TABLES_END, img::STORED_SIZE - TABLES_END);

    // The project description, from what it is written of, in the order
    // it is written.
    sums textSums;
    textSums.addText(projectFileDate);
    textSums.addText(projectFileName);
    addDescriptions(textSums, sceneDescriptions);
    addDescriptions(textSums, maskDescriptions);
    addDescriptions(textSums, programDescriptions);
    addDescriptions(textSums, stateDescriptions);
    addDescriptions(textSums, inputDescriptions);
    addDescriptions(textSums, rcuKeyDescriptions);
    addDescriptions(textSums, panelDescriptions);
    addDescriptions(textSums, eventDescriptions);
    const projectFieldTexts field = projectParts::fieldTexts();
    // A factor is written only when it is above 0.
    textSums.addNumber(std::max(field.dark, 0));
    textSums.addText(field.image);
    textSums.addNumber(std::max(field.pale, 0));
    textSums.addText(field.outline);
    textSums.addText(field.width);
    textSums.addText(field.height);
    addProjectNode(textSums, theVisualProject, QLatin1String("library"));
    addProjectNode(textSums, theVisualProject, QLatin1String("devices"));
    addGroups(textSums, theVisualProject);

    f.taken = true;
    // A show whose tables do not fit the image cannot be saved as it is.
    f.packed = eventsPacked && programsPacked;
    f.image = imageSums.value();
    f.text = textSums.value();
    return f;
}

void kv310_controller_class::takeFingerprint()
{
    // Only the show of the run counts, and only once a window shows it: the
    // first window takes it when it has its pages.
    if (this != theController || !theMainWindow)
        return;
    const showFingerprint now = currentFingerprint();
    // The same show again: the pages have shown it already.
    if (now == fingerprint)
        return;
    fingerprint = now;
}

bool kv310_controller_class::showChanged()
{
    return fingerprint.taken && currentFingerprint() != fingerprint;
}

showRepair::showRepair(kv310_controller_class* controller)
    : controller(controller)
    , unchanged(controller && controller->hasFingerprint() && !controller->showChanged())
{
}

showRepair::~showRepair()
{
    if (unchanged)
        controller->takeFingerprint();
}
