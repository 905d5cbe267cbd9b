// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RegularFile.h"

#include "files/KartakError.h"

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

// openRegular()'s answer for a file that exists but is no regular file.
constexpr int kNotRegular = -1;

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
int openRegular(QFile& file, QIODevice::OpenMode mode)
{
    const QByteArray path = QFile::encodeName(file.fileName());
    struct stat status
    {
    };
    if (::stat(path.constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return kNotRegular;
    const int fd = ::open(path.constData(), openFlags(mode) | O_NONBLOCK, 0666);
    if (fd < 0)
        return errno;
    const auto fail = [fd](int systemError) {
        ::close(fd);
        return systemError;
    };
    if (::fstat(fd, &status) != 0)
        return fail(errno);
    if (!S_ISREG(status.st_mode))
        return fail(kNotRegular);
    const int statusFlags = ::fcntl(fd, F_GETFL);
    if (statusFlags < 0 || ::fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK) != 0)
        return fail(errno);
    if ((mode & QIODevice::Truncate) && ::ftruncate(fd, 0) != 0)
        return fail(errno);
    const QIODevice::OpenMode handleMode =
        mode & ~(QIODevice::Truncate | QIODevice::ExistingOnly | QIODevice::NewOnly);
    if (!file.open(fd, handleMode, QFileDevice::AutoCloseHandle))
        return fail(EIO);
    return 0;
}

#else

int openRegular(QFile& file, QIODevice::OpenMode mode)
{
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        return kNotRegular;
    errno = 0;
    if (file.open(mode))
        return 0;
    if (errno)
        return errno;
    if (!info.exists() && !writes(mode))
        return ENOENT;
    return file.error() == QFileDevice::PermissionsError ? EACCES : EIO;
}

#endif

} // namespace

namespace RegularFile {

// The runtime's text for a file that could not be opened with the system error given.
void throwOpenError(const QString& fileName, QIODevice::OpenMode mode, int systemError)
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

void open(QFile& file, QIODevice::OpenMode mode)
{
    const int error = openRegular(file, mode);
    if (error == kNotRegular)
        throw KartakError(QStringLiteral("File access denied"));
    if (error != 0)
        RegularFile::throwOpenError(file.fileName(), mode, error);
}

Outcome tryOpen(QFile& file, QIODevice::OpenMode mode)
{
    const int error = openRegular(file, mode);
    if (error == 0)
        return Outcome::Opened;
    if (error == kNotRegular)
        return Outcome::NotRegular;
    return error == ENOENT || error == ENOTDIR ? Outcome::Missing : Outcome::Failed;
}

} // namespace RegularFile
