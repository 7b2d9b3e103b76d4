#include "seams/regular_file.h"

#include "seams/dialog_seam.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Hands a descriptor on to the file in blocking mode; closes it on failure.
bool adopt(QFile& file, int fd, QIODevice::OpenMode mode)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0
        || !file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

// Non-blocking, so that opening a pipe without a peer returns at once.
int openNonBlocking(const QByteArray& name, int flags)
{
    int fd;
    do {
        fd = ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool isRegular(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool openRegularFile(QFile& file, QIODevice::OpenMode mode)
{
    if (file.isOpen() || (mode & QIODevice::WriteOnly))
        return false;
    const QByteArray name = QFile::encodeName(file.fileName());
    if (name.isEmpty())
        return false;
    const int fd = openNonBlocking(name, O_RDONLY);
    if (fd < 0)
        return false;
    if (!isRegular(fd)) {
        ::close(fd);
        return false;
    }
    return adopt(file, fd, mode);
}

boundedOpen openBoundedFile(QFile& file, int limitMB, QIODevice::OpenMode mode)
{
    if (!openRegularFile(file, mode))
        return boundedOpen::failed;
    if (file.size() > fileLimit::bytes(limitMB)) {
        file.close();
        return boundedOpen::tooBig;
    }
    return boundedOpen::opened;
}

void showFileTooBig(QWidget* parent, const QString& fileName, int limitMB)
{
    showMessage(QMessageBox::Warning, parent, QCoreApplication::translate("regular_file", "Invalid file!"),
                QCoreApplication::translate("regular_file", "File too big!\n%1\nThe limit is %2 MB.")
                    .arg(fileName)
                    .arg(limitMB));
}

bool writesRegularFile(const QString& fileName)
{
    const QByteArray name = QFile::encodeName(fileName);
    if (name.isEmpty())
        return false;
    struct stat st;
    if (::stat(name.constData(), &st) == 0)
        return S_ISREG(st.st_mode);
    // Nothing there yet: the writer makes a regular file. Anything else
    // that keeps the name from being looked at (a loop of links, a folder
    // that may not be searched) fails the write itself.
    return errno == ENOENT || errno == ENOTDIR;
}

bool openRegularSaveFile(QSaveFile& file, QIODevice::OpenMode mode)
{
    return !file.isOpen() && writesRegularFile(file.fileName()) && file.open(mode);
}

bool createRegularFile(QFile& file, QIODevice::OpenMode mode)
{
    if (file.isOpen() || !(mode & QIODevice::WriteOnly) || !writesRegularFile(file.fileName()))
        return false;
    const QByteArray name = QFile::encodeName(file.fileName());
    const int fd = openNonBlocking(name, (mode & QIODevice::ReadOnly ? O_RDWR : O_WRONLY) | O_CREAT);
    if (fd < 0)
        return false;
    if (!isRegular(fd) || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return false;
    }
    return adopt(file, fd, mode & ~QIODevice::Truncate);
}

void showNotRegularFile(QWidget* parent, const QString& fileName)
{
    showMessage(QMessageBox::Warning, parent, QCoreApplication::translate("regular_file", "Warning!"),
                QCoreApplication::translate("regular_file", "Not a regular file:\n%1").arg(fileName));
}
