#include "editors/scenes/record_page_kind.h"

#include "editors/scenes/admx512_sliders_widget.h"
#include "editors/scenes/dmx_sheet.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "widgets/page_style.h"

#include <QColor>
#include <QtGlobal>

#include <cstring>

namespace {

// True when all 512 levels hold v; compared a word at a time, as every
// list row drawn asks it.
bool allLevels(const uint8_t* p, uint8_t v)
{
    const uint64_t pattern = 0x0101010101010101ull * v;
    for (int i = 0; i < img::CHANNELS; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, sizeof w);
        if (w != pattern)
            return false;
    }
    return true;
}

}  // namespace

const recordPageKind& recordPageKind::scenes()
{
    static const recordPageKind kind{
        admx512_sliders_widget::KIND_SCENES,
        img::SCENES,
        img::sceneChannels,
        img::sceneTimes,
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Scene"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Scene: %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Scene %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Clear channels"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import / Export Scenes"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Relocate scenes:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose different source scene!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import scenes:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Export scenes:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "No valid scenes found!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Scene %1 of the sheet would become scene %2!\n"
                          "Scenes run from 1 to %3: nothing imported.\nChoose a smaller range."),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n scene(s) imported!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "%1 column(s) went to a scene that another column had already filled: the later one was kept."),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n scene(s) exported!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Required number of scenes exceeds Excel limits!\nContinue anyway?"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose DMX value sheet"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose file to save scenes"),
        0,
        16,
        64,
        0,
        true,
        recordTable::scenes,
        &dmxSheetKind::scenes(),
    };
    return kind;
}

const recordPageKind& recordPageKind::masks()
{
    static const recordPageKind kind{
        admx512_sliders_widget::KIND_MASKS,
        img::MASKS,
        img::maskChannels,
        img::maskTimes,
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Mask"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Mask: %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Mask %1"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Clear whole mask"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import / Export Masks"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Relocate masks:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose different source mask!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Import masks:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Export masks:"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "No valid masks found!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Mask %1 of the sheet would become mask %2!\n"
                          "Masks run from 1 to %3: nothing imported.\nChoose a smaller range."),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n mask(s) imported!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "%1 column(s) went to a mask that another column had already filled: the later one was kept."),
        QT_TRANSLATE_N_NOOP("arecord_settings_widget", "%n mask(s) exported!"),
        QT_TRANSLATE_NOOP("arecord_settings_widget",
                          "Required number of masks exceeds Excel limits!\nContinue anyway?"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose masks' value sheet"),
        QT_TRANSLATE_NOOP("arecord_settings_widget", "Choose file to save masks"),
        0xFF,
        256,
        512,
        255,
        false,
        recordTable::masks,
        &dmxSheetKind::masks(),
    };
    return kind;
}

QString* recordPageKind::descriptions(kv310_controller_class* controller) const
{
    return kind == admx512_sliders_widget::KIND_MASKS ? controller->maskDescriptions.data()
                                                      : controller->sceneDescriptions.data();
}

QBrush recordPageKind::rowBrush(int record, const uint8_t* levels) const
{
    const QBrush used(pageStyle::usedColour());
    if (kind != admx512_sliders_widget::KIND_MASKS)
        return allLevels(levels, 0) ? pageStyle::emptyBrush() : used;
    // Masks 0..191 let everything through when all levels are 255, masks
    // 192..255 when all are 0; each band shows its neutral masks apart.
    if (record < 128)
        return allLevels(levels, 0xFF) ? pageStyle::emptyBrush() : used;
    if (record < 192)
        return allLevels(levels, 0xFF) ? QBrush(QColor(255, 255, 180)) : used;
    return allLevels(levels, 0) ? QBrush(QColor(200, 255, 255)) : used;
}
