#pragma once

#include <QLabel>

class lightEffect;

// The beam of a fixture: the picture of its light on the field. Sized, placed
// and painted for its owner; the owner deletes it.
class light_class : public QLabel {
    Q_OBJECT
public:
    light_class(lightEffect* owner, QWidget* parent);

    lightEffect* owner;
};

// The selection cross laid over the icon of a selected fixture: a two-pixel
// plus sign, yellow on its upper-left half and blue on its lower-right half.
// Only the cross itself is shown and takes the mouse. The owner deletes it.
class sel_cross : public QLabel {
    Q_OBJECT
public:
    static constexpr int SIZE = 22;

    sel_cross(lightEffect* owner, QWidget* parent);

    lightEffect* owner;

protected:
    void paintEvent(QPaintEvent* event) override;
};
