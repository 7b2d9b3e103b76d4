#pragma once

#include "ui_monitorek.h"

#include <QLabel>
#include <QWidget>

#include <cstdint>
#include <vector>

class QTableWidget;

// A monitor window: "Stop monitoring" along the top, one table below, and
// the data block the panel's poll reads for it. Top-level, hidden until the
// first successful read, deleted when closed. Its kind is its monitor flag.
class pokaz : public QWidget, public Ui::monitorek {
    Q_OBJECT
public:
    explicit pokaz(int kind);
    ~pokaz() override;

    int kind;
    // Output DMX window only: polled but not shown while set.
    bool keepHidden = false;
    // The data of the last read: 24 input levels, 512 DMX values or the
    // internal-states block; empty until the window is opened. Never resized
    // afterwards, so pointers into it stay valid for the window's life.
    std::vector<uint8_t> buffer;
    QTableWidget* table = nullptr;
    // The table's cell widgets by input or channel index.
    std::vector<QLabel*> cells;

signals:
    // Emitted with false when an output DMX window is destroyed; emitting
    // closed(bool) also emits closed().
    void closed(bool x);
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// One indicator of the inputs window. A left-button press shows the input's
// description as a tool tip; the controller is never told anything.
class inKey_class : public QLabel {
    Q_OBJECT
public:
    inKey_class(int inputIndex, QWidget* parent);

    int inputIndex;  // 0-based input 0..23

    // The tool tip: the input's description, or "no description...".
    QString descriptionText() const;
    // The indicators' bold face, a point smaller at a time while the widest
    // of their texts (in the language shown) would not fit an indicator
    // `width` pixels wide.
    static QFont fittingFont(int width);
    // Draws the indicator for a raw level (1 or 0) and an input type (-1 not
    // used, 1 normally closed, anything else normally open).
    void setInputState(int level, int inputType);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
