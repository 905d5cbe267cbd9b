// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegularFile.h"

#include "KartakError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool writes(QIODevice::OpenMode mode)
{
    return mode & (QIODevice::WriteOnly | QIODevice::Append);
}

[[noreturn]] void refuseNonRegular()
{
    throw KartakError(QStringLiteral("File access denied"));
}

// The runtime's text for a file that could not be opened with the system error given.
[[noreturn]] void throwOpenError(const QString& fileName, QIODevice::OpenMode mode, int systemError)
{
    if (systemError == ENOENT || systemError == ENOTDIR) {
        if (writes(mode) && !QFileInfo(QFileInfo(fileName).absolutePath()).isDir())
            throw KartakError(QStringLiteral("Path not found"));
        // A file that had to exist is missing; one that was to be created could not be.
        if (!writes(mode) || (mode & QIODevice::ExistingOnly))
            throw KartakError(QStringLiteral("File not found"));
        throw KartakError(QStringLiteral("File access denied"));
    }
    if (systemError == EACCES || systemError == EPERM || systemError == EROFS ||
        systemError == EISDIR)
        throw KartakError(QStringLiteral("File access denied"));
    throw KartakError(QStringLiteral("I/O error %1").arg(systemError ? systemError : EIO));
}

#ifdef Q_OS_UNIX

int openFlags(QIODevice::OpenMode mode)
{
    const bool reads = mode & QIODevice::ReadOnly;
    int flags = O_CLOEXEC | O_NOCTTY;
    if (!writes(mode))
        flags |= O_RDONLY;
    else
        flags |= reads ? O_RDWR : O_WRONLY;
    if (mode & QIODevice::Append)
        flags |= O_APPEND;
    if (writes(mode) && !(mode & QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (mode & QIODevice::NewOnly)
        flags |= O_CREAT | O_EXCL;
    return flags;
}

// A named pipe would make open() wait for a writer and a device may never answer a read, so the
// file is opened without waiting and looked at before anything is read from it.
void openRegular(QFile& file, QIODevice::OpenMode mode)
{
    const QByteArray path = QFile::encodeName(file.fileName());
    struct stat status
    {
    };
    if (::stat(path.constData(), &status) == 0 && !S_ISREG(status.st_mode))
        refuseNonRegular();
    const int fd = ::open(path.constData(), openFlags(mode) | O_NONBLOCK, 0666);
    if (fd < 0)
        throwOpenError(file.fileName(), mode, errno);
    const auto fail = [fd](int systemError) {
        ::close(fd);
        return systemError;
    };
    if (::fstat(fd, &status) != 0)
        throwOpenError(file.fileName(), mode, fail(errno));
    if (!S_ISREG(status.st_mode)) {
        fail(0);
        refuseNonRegular();
    }
    const int statusFlags = ::fcntl(fd, F_GETFL);
    if (statusFlags < 0 || ::fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK) != 0)
        throwOpenError(file.fileName(), mode, fail(errno));
    if ((mode & QIODevice::Truncate) && ::ftruncate(fd, 0) != 0)
        throwOpenError(file.fileName(), mode, fail(errno));
    const QIODevice::OpenMode handleMode =
        mode & ~(QIODevice::Truncate | QIODevice::ExistingOnly | QIODevice::NewOnly);
    if (!file.open(fd, handleMode, QFileDevice::AutoCloseHandle))
        throwOpenError(file.fileName(), mode, fail(EIO));
}

#else

void openRegular(QFile& file, QIODevice::OpenMode mode)
{
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        refuseNonRegular();
    errno = 0;
    if (file.open(mode))
        return;
    int systemError = errno;
    if (!systemError) {
        if (!info.exists() && !writes(mode))
            systemError = ENOENT;
        else if (file.error() == QFileDevice::PermissionsError)
            systemError = EACCES;
    }
    throwOpenError(file.fileName(), mode, systemError);
}

#endif

} // namespace

namespace RegularFile {

void open(QFile& file, QIODevice::OpenMode mode)
{
    openRegular(file, mode);
}

} // namespace RegularFile
