#pragma once

#include "model/programs.h"

#include <QCoreApplication>
#include <QString>
#include <QTime>
#include <cstdint>
#include <vector>

class QWidget;
class kv310_controller_class;

// A program as a copy finds it in its source, taken before the copy writes
// anything, so that copies between overlapping ranges of one show give what
// the sources held at the start.
struct copySourceProgram {
    enum state { present, missing, damaged };
    state status = missing;
    std::vector<programStep> steps;   // in playing order, with the source's scenes
    uint16_t recurrences = 1;         // 0 endless
    // The fade-down at the program's end, which the last step of a copy
    // takes whatever order the copy puts the steps in.
    bool hasFinalFadeDown = false;
    QTime finalFadeDown;
    uint16_t breakTime = 0xFFFF;
    uint16_t chainEvent = 0xFFFF;
    QString description;
};

// Program slot `program` of a packed configuration image as the controller
// plays it. Missing when its start address lies outside the step records.
// The steps run to the step count or to the last-step marker of their
// fade-down field (0xFFFE endless: recurrences 0; a time: the final
// fade-down, recurrences at least 1), at most 999 of them. Damaged, with no
// steps, when a step names a scene beyond the scenes or lies beyond the
// step records. The description is not in the image and stays empty.
copySourceProgram readPackedProgram(const uint8_t* image, int program);

// Programs first..last (0-based) of another configuration, from its packed
// image and its descriptions.
std::vector<copySourceProgram> packedSources(const kv310_controller_class& other, int first, int last);
// Programs first..last (0-based) of a show, from its programs table, its
// image and its descriptions.
std::vector<copySourceProgram> tableSources(const kv310_controller_class& show, int first, int last);

struct programCopyRequest {
    int first = 0;          // source range, 0-based
    int last = 0;
    int destination = 0;    // the first destination program, 0-based
    int programSlots = 512; // program slots offered (512 minus the extra entries)
    int pool = 0;           // the first unused scene, 0-based
    bool reverse = false;   // each copy plays its source's steps backwards
    bool copyScenes = true; // the steps' scenes are copied into the pool
    QWidget* messageParent = nullptr;
};

// Copies a range of programs onto the programs from the destination on,
// with their steps, recurrences, break times, descriptions and chained
// events, and the scenes of the steps into the pool. Asks the user about
// missing sources and programs about to be overwritten; "Cancel", and a pool
// that runs past the last scene, put the programs and break times back as
// they were before the copy. The programs are packed into the image at the
// end.
class programCopy {
    Q_DECLARE_TR_FUNCTIONS(programCopy)
public:
    enum result {
        refused,     // nothing was copied (a message or question said why)
        cancelled,   // the copy was undone
        copied,
    };

    // Within the show itself ("Current Configuration").
    static result withinShow(kv310_controller_class& show, const programCopyRequest& request);
    // From another configuration held in its own controller object.
    static result fromOther(const kv310_controller_class& other, kv310_controller_class& show,
                            const programCopyRequest& request);
};
