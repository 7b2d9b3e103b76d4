#pragma once

class QString;
class QWidget;
class xml_node;

// The parse-error convention of the file readers, called after a document has
// been read into `root`. When the root is not valid, writes the whole tree to
// "xml_report.log" in the current directory (replacing an earlier report) and
// shows a warning naming `fileName`. A report name that leads to no regular
// file (a device, a pipe, a folder) is not written: a warning says so first.
// Changes nothing in the tree.
// Returns whether the root was valid.
bool reportXmlErrors(const xml_node& root, const QString& fileName, QWidget* parent = nullptr);

// The refusal of a document that holds more of something than the program
// takes: each such entry is a few bytes of the file but far more in memory.
// Shows "Invalid file!", "File too big!\n<name>\nThe limit is <limit>.",
// `limit` worded by the caller with its count ("100000 fixtures").
void reportTooMany(const QString& fileName, const QString& limit, QWidget* parent = nullptr);
// xmlMaxEntries in words, for reportTooMany.
QString entriesLimit();
