// SPDX-License-Identifier: GPL-3.0-or-later
#include "FailDevice.h"

#include <cerrno>
#include <optional>
#include <utility>

FailDevice::FailDevice(const QString& fileName, SaveStep step, int systemError, int writeNumber)
    : SaveFile(fileName), m_step(step), m_systemError(systemError), m_failingWrite(writeNumber)
{
}

qint64 FailDevice::writeData(const char* data, qint64 length)
{
    if (m_step == SaveStep::Write && ++m_writes == m_failingWrite) {
        errno = m_systemError;
        return -1;
    }
    return SaveFile::writeData(data, length);
}

bool FailDevice::flushToDisk()
{
    if (m_step != SaveStep::Flush)
        return SaveFile::flushToDisk();
    errno = m_systemError;
    return false;
}

bool FailDevice::commitFile()
{
    if (m_step != SaveStep::Commit)
        return SaveFile::commitFile();
    errno = m_systemError;
    return false;
}

void failNextSave(SaveStep step, int systemError, int writeNumber)
{
    static std::optional<FailDevice::Failure> next;
    next = FailDevice::Failure{step, systemError, writeNumber};
    TextFile::setSaveFileFactory(
        [](const QString& fileName) -> std::unique_ptr<TextFile::SaveFile> {
            // Only the next save fails; the ones after it get the real file again.
            if (!next)
                return std::make_unique<TextFile::SaveFile>(fileName);
            const FailDevice::Failure failure = *std::exchange(next, std::nullopt);
            return std::make_unique<FailDevice>(fileName, failure.step, failure.systemError,
                                                failure.writeNumber);
        });
}
