// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/TextFile.h"

enum class SaveStep { Write, Flush, Commit };

// A save file that fails at one step with the given system error, as a full disk or a failing
// device makes it fail: the n-th write (counted from 1), the flush to the disk or the swap.
// Every other step is the real file's.
class FailDevice : public TextFile::SaveFile
{
public:
    struct Failure
    {
        SaveStep step;
        int systemError;
        int writeNumber;
    };

    FailDevice(const QString& fileName, SaveStep step, int systemError, int writeNumber = 1);

    bool flushToDisk() override;
    bool commitFile() override;

protected:
    qint64 writeData(const char* data, qint64 length) override;

private:
    SaveStep m_step;
    int m_systemError;
    int m_failingWrite;
    int m_writes = 0;
};

// The next save, and only that one, writes through a FailDevice.
void failNextSave(SaveStep step, int systemError, int writeNumber = 1);
