#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <QVector>

class light_class;
class sel_cross;
class xml_node;

// Letter of each channel-function code: the letter at index c names code c.
extern const char* const CHANNEL_FUNCTION_LETTERS;

// Channel-function codes, the positions of their letters above.
enum channelFunctionCode {
    FUNC_RED = 0,
    FUNC_GREEN = 1,
    FUNC_BLUE = 2,
    FUNC_MIXED = 3,
    FUNC_DIMMER = 4,
    FUNC_FILTER_RED = 5,
    FUNC_FILTER_GREEN = 6,
    FUNC_FILTER_BLUE = 7,
    FUNC_FILTER_MIXED = 8,
    FUNC_SPRING = 9,
    FUNC_SPRING_SWITCH = 10,
    FUNC_CODES = 12  // size of the per-code tables; the last position is never assigned
};

// The function code of a library "channel" node, from its "function" and,
// for emitters and filters, its colour; -1 when the channel has none.
int channelFunctionCode(const xml_node& channel);

// The beam shapes and the anchor of the fixture point on its beam.
enum fixtureShape { SHAPE_LINE = 0, SHAPE_ELLIPSE = 1, SHAPE_FOUNTAIN = 2 };
enum fixtureAnchor { ANCHOR_CENTRE = 0, ANCHOR_LEFT_UP = 1, ANCHOR_LEFT_DOWN = 2, ANCHOR_RIGHT_UP = 3,
                     ANCHOR_RIGHT_DOWN = 4 };

// One light fixture of the visual plan: a 21 x 21 icon with its beam and
// selection cross, its place in the DMX universe and its links into the
// project tree ("device" node) and the fixture library ("item" node).
// The visual project's fixture list owns the fixtures; a fixture owns its
// beam and cross and none of the XML nodes.
class lightEffect : public QLabel {
    Q_OBJECT
public:
    lightEffect(int number, int x, int y, QWidget* parent);
    ~lightEffect() override;

    // Caption: number, then model, variant and provider of the library item,
    // then the DMX channel span ("? )" when it cannot be told).
    void updateCaption();
    // Icon pixmap by the selected and defined flags.
    void updateIcon();
    // Writes posX, posY and rotation into the device node's "geometry".
    void storeGeometry();
    // Beam size, anchor and shape from a library item's "geometry" node;
    // size elements that are absent leave the size as it is.
    void setGeometryFrom(const xml_node& geometry);

    int number;
    int funcChannel[FUNC_CODES];  // per function code the relocated fixture channel (1-based), -1 none
    int posX;
    int posY;
    int rotation = 0;             // degrees, clockwise on screen
    int springOn = 1;             // fountain switch: 1 on, 0 off
    QColor lightColor;            // invalid: no light computed
    QString caption;
    QString chnlCodes;            // per function code its letter, '-' where the fixture has none
    light_class* beam = nullptr;  // owned
    sel_cross* cross = nullptr;   // owned
    // Beam size in field units, shape and anchor; a fixture whose library
    // item has no geometry keeps these defaults.
    int width = 10;
    int height = 10;
    int shape = SHAPE_LINE;
    int anchor = ANCHOR_CENTRE;
    xml_node* deviceNode = nullptr;  // "device" node of the project tree; not owned
    xml_node* itemNode = nullptr;    // "item" node of the active library; not owned
    int dmxStart = -1;               // first DMX channel, 0-based
    int chnlCount = 0;
    QVector<int> reloc;              // offset per fixture channel (index = channel - 1)
    bool defined = false;
    bool selected = false;
};
