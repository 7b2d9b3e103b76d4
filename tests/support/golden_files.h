#pragma once

// The golden files of tests/data: small files in every format as the program
// wrote them, which every later program must read to the same model. They
// are never written again (tests/data/README.md).

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A writable copy of golden file `name` (a path below tests/data) in `dir`,
// named `as` or as the original; empty when it cannot be made. Readers may
// write beside what they read, and no test may change a golden file.
inline QString goldenCopy(const QTemporaryDir& dir, const QString& name, const QString& as = QString())
{
    const QString target = dir.filePath(as.isEmpty() ? QFileInfo(name).fileName() : as);
    QFile::remove(target);
    if (!QFile::copy(QStringLiteral(KV_TEST_DATA "/") + name, target))
        return QString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}
