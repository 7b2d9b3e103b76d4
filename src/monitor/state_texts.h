#pragma once

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class kv310_controller_class;

// The five rows of the internal-states window: active states, scenes,
// programs, masks and delays.
inline constexpr int STATE_ROWS = 5;

// Turns an internal-states block into the five row texts. The block is laid
// out from byte 0: eight words of counts and list offsets (scenes, programs,
// masks, delays), five words of state bits, then the list area from byte 26;
// all words little-endian. `size` is the number of bytes held: nothing
// beyond it is read, so any block, however short or wrong, gives texts.
// Rows whose entry in `withDescriptions` is set (the states row excepted)
// carry each object's description from the controller, or
// "no description..." when it has none or there is no controller.
class stateTexts {
    Q_DECLARE_TR_FUNCTIONS(stateTexts)
public:
    static std::array<QString, STATE_ROWS> build(const uint8_t* block, int size,
                                                 const std::array<bool, STATE_ROWS>& withDescriptions,
                                                 const kv310_controller_class* controller);
};

// The caption of one row of the internal-states window with its "Descr."
// toggle, which decides whether the row shows descriptions from the next
// redraw on.
class btn_lbl : public QWidget {
    Q_OBJECT
public:
    btn_lbl();

    QLabel* label;
    QPushButton* descrButton;
    bool showDescriptions = false;

public slots:
    void changeState(bool on);

protected:
    void resizeEvent(QResizeEvent* event) override;
};
