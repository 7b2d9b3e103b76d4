#pragma once

#include <QFile>

class QSaveFile;
class QWidget;

// Opens `file` (for reading unless told otherwise) only when its name leads
// to a regular file. A named pipe would block open() until a writer comes, a
// directory or a device is nothing a reader can take; both fail here at once,
// with the file left closed, so the caller shows its usual "cannot open"
// message. The check is made on the opened descriptor, so nothing can be
// swapped in between.
bool openRegularFile(QFile& file, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// ---- Reading within a bound -------------------------------------------------

// The largest file each reader takes, in megabytes (2^20 bytes): the largest
// honest file of its kind, with ample room. A reader that takes a whole file
// into memory refuses a larger one before it reads a byte of it, so a huge
// (or sparse) file costs neither memory nor time, and changes nothing.
namespace fileLimit {
// The compressed image (under 6 MB even when it does not compress) and the
// project text: every description, and a visual project of 100,000
// fixtures with their library items, some 45 MB when each fixture has a
// model of its own. A reader holds a text in memory as UTF-16 while it
// reads it, a one-line file several times over, so the bounds keep some
// room above the largest honest file and no more: every reader stays below
// 1 GB of memory on any file within its bound (bench/bench_big_files).
constexpr int configurationMB = 64;
// 100,000 fixture models take some 25 MB, a visual project of 100,000
// fixtures some 14 MB, some 40 MB with the items it uses beside them.
constexpr int fixtureLibraryMB = 64;
constexpr int visualProjectMB = 64;
// 10240 scene columns of 518 rows, descriptions of 100 characters: under 30 MB.
constexpr int dmxSheetMB = 64;
// A 400-byte header and at most six flash blocks of 128 kB.
constexpr int upgradeFileMB = 16;
// 366 short lines; a language choice; 64 buttons: a few kB each.
constexpr int sunTimesMB = 1;
constexpr int languageFileMB = 1;
constexpr int rcuFileMB = 1;

constexpr qint64 bytes(int megabytes)
{
    return qint64(megabytes) << 20;
}
}  // namespace fileLimit

enum class boundedOpen { opened, failed, tooBig };

// Opens `file` for reading as openRegularFile does and refuses, leaving it
// closed, a file of more than `limitMB` megabytes. The size is the opened
// file's own.
boundedOpen openBoundedFile(QFile& file, int limitMB, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// Tells the user that a file was refused as too big: "Invalid file!",
// "File too big!\n<name>\nThe limit is <limit> MB."
void showFileTooBig(QWidget* parent, const QString& fileName, int limitMB);

// ---- Writing regular files only ---------------------------------------------

// Whether writing `fileName` would write a regular file: nothing of that
// name exists yet (a link that leads nowhere included), or the name leads to
// a regular file, directly or through links. A device, a named pipe, a
// directory or a link to one of them is no file: writing there would replace
// the node or feed the device, so every writer refuses it and writes nothing.
bool writesRegularFile(const QString& fileName);

// Opens a save file for writing only when its name passes writesRegularFile;
// false, with nothing written, otherwise or when it cannot be opened.
bool openRegularSaveFile(QSaveFile& file, QIODevice::OpenMode mode = QIODevice::WriteOnly);

// Opens `file` for writing, made anew or emptied, only when its name passes
// writesRegularFile. The opened descriptor is checked again before anything
// is emptied, so a pipe or a device swapped in meanwhile is left alone.
bool createRegularFile(QFile& file, QIODevice::OpenMode mode = QIODevice::WriteOnly);

// For a write refused that has no failure message of its own: "Warning!",
// "Not a regular file:\n<name>".
void showNotRegularFile(QWidget* parent, const QString& fileName);
