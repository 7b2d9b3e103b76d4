#pragma once

class kv310_controller_class;
class v_project;

// The one controller object of the run, set by main right after it is
// constructed; null until then. Scratch controller objects are never here.
extern kv310_controller_class* theController;
// The one visual project of the run; null until main sets it.
extern v_project* theVisualProject;
// Number of DMX channels that the editors show and copy (records always
// keep 512 bytes); main sets it at start, the settings pages change it.
extern int channelCount;
