#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QHBoxLayout;
class QLabel;
class QScrollBar;
class admx_slider_widget;
class kv310_controller_class;

// A bank of ten faders laid over one 512-byte record of channel levels, with
// a scroll bar choosing the ten channels shown and a caption naming the
// record. The record in the controller object is the only store: every
// fader movement is written there at once and reported by liveNewValue.
//
// Kinds: 0 scenes (sceneChannels), 1 masks (maskChannels), 2 the compound
// pictures of the active scenes (2 x range + mode). Only a scene bank drives
// the controller live; the others report their edits through the same
// signals to whoever shows them.
//
// The object is never shown; its widgets are children of the parent given
// at construction, and stay with that parent when the object goes.
class admx512_sliders_widget : public QWidget {
    Q_OBJECT
public:
    enum { KIND_SCENES = 0, KIND_MASKS = 1, KIND_COMPOUND = 2 };
    static constexpr int FADERS = 10;
    // Records of a kind; 0 for an unknown kind.
    static int recordCount(int kind);

    admx512_sliders_widget(kv310_controller_class* controller, int channels, QWidget* parent, int kind);
    ~admx512_sliders_widget() override;

    uint8_t* recordData;   // record 0 of the kind; 512 bytes per record
    int firstChannel = 0;  // 0-based channel of the first fader, 0..502
    int recordNumber = 0;  // 0-based record shown
    kv310_controller_class* controller;
    QLabel* numberLabel;   // recordNumber + 1
    QLabel* titleLabel;    // caption of the kind
    QWidget* header;       // titleLabel, numberLabel
    QHBoxLayout* headerLayout;
    QWidget* faderArea;
    std::array<std::unique_ptr<admx_slider_widget>, FADERS> sliders;
    QScrollBar* scrollBar; // chooses firstChannel; its maximum follows the channel limit
    const int kind;

    // The levels of the record shown.
    uint8_t* levels() const { return recordData + 512 * recordNumber; }
    // The faders reach channels 1..n (n of 10..512; anything else names no
    // limit): the scroll bar stops where the last fader shows channel n.
    void setChannelLimit(int n);

signals:
    // Channel ch of record sc has a new level.
    void liveNewValue(int sc, int ch);
    // Record sc has become the one shown.
    void livePrepareScene(int sc);

public slots:
    void sCh(int ch, int val);
    void setSliders(int firstSliderNumber);
    void setSceneNumber(int sc);
};
