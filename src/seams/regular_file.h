#pragma once

#include <QFile>

// Opens `file` (for reading unless told otherwise) only when its name leads
// to a regular file. A named pipe would block open() until a writer comes, a
// directory or a device is nothing a reader can take; both fail here at once,
// with the file left closed, so the caller shows its usual "cannot open"
// message. The check is made on the opened descriptor, so nothing can be
// swapped in between.
bool openRegularFile(QFile& file, QIODevice::OpenMode mode = QIODevice::ReadOnly);
