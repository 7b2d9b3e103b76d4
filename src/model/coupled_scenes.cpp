#include "kv310_controller.h"

#include "seams/dialog_seam.h"

#include <algorithm>
#include <bitset>

namespace {

constexpr int GROUPS = 15;
const coupledScenePair FREE_PAIR{0xFFFF, 0};

} // namespace

void kv310_controller_class::packCoupledScenes()
{
    uint8_t* image = configImage;
    std::array<coupledScenePair, img::COUPLED_PAIRS> written;
    int total = 0;
    for (int g = 0; g < GROUPS; ++g) {
        QList<uint16_t>& group = coupledSceneGroups[size_t(g)];
        std::sort(group.begin(), group.end());
        for (uint16_t s : group) {
            if (total == img::COUPLED_PAIRS)
                break;
            written[size_t(total++)] = coupledScenePair{s, uint16_t(g)};
        }
    }
    for (int i = 0; i < img::COUPLED_PAIRS; ++i)
        (i < total ? written[size_t(i)] : FREE_PAIR).write(image + img::coupledByGroupOf(i));

    std::sort(written.begin(), written.begin() + total, [](const coupledScenePair& a, const coupledScenePair& b) {
        return a.scene != b.scene ? a.scene < b.scene : a.group < b.group;
    });
    for (int i = 0; i < img::COUPLED_PAIRS; ++i)
        (i < total ? written[size_t(i)] : FREE_PAIR).write(image + img::coupledBySceneOf(i));
}

void kv310_controller_class::unpackCoupledScenes()
{
    const uint8_t* image = configImage;
    for (auto& group : coupledSceneGroups)
        group.clear();
    bool coherent = true;

    // A scene belongs to one group at most: the first pair that names it wins.
    std::bitset<img::SCENES> placed;
    for (int i = 0; i < img::COUPLED_PAIRS; ++i) {
        const coupledScenePair p = coupledScenePair::read(image + img::coupledByGroupOf(i));
        if (p.scene >= img::SCENES || p.group >= GROUPS || placed.test(p.scene))
            continue;
        placed.set(p.scene);
        coupledSceneGroups[p.group].append(p.scene);
    }
    for (int i = 0; i < img::COUPLED_PAIRS; ++i) {
        const coupledScenePair p = coupledScenePair::read(image + img::coupledBySceneOf(i));
        if (p.scene < img::SCENES && p.group < GROUPS && !coupledSceneGroups[p.group].contains(p.scene))
            coherent = false;
    }
    for (auto& group : coupledSceneGroups) {
        while (group.size() > img::COUPLED_PAIRS) {
            group.removeLast();
            coherent = false;
        }
    }

    if (!coherent)
        showMessage(QMessageBox::Information, nullptr, tr("Configuration error:"),
                    tr("Coupling tables are not coherent!\nThe first one was taken."), QMessageBox::Ok);
}
