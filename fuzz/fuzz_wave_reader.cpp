// SPDX-License-Identifier: GPL-3.0-or-later
// The wave reader: any bytes at all are either refused or give a playable sound whose samples
// are whole frames copied from inside the file, right after a "data" chunk header.
#include "FuzzSupport.h"

#include "files/WaveSound.h"

#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzSupport::fileBytes(data, size);
    const std::optional<WaveSound> sound = WaveSound::parse(bytes);
    if (!sound)
        return 0;

    FUZZ_CHECK(bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE");
    FUZZ_CHECK(sound->channels == 1 || sound->channels == 2);
    FUZZ_CHECK(sound->bitsPerSample == 8 || sound->bitsPerSample == 16);
    FUZZ_CHECK(sound->sampleRate > 0 && sound->sampleRate <= 384000);
    FUZZ_CHECK(!sound->samples.isEmpty());
    FUZZ_CHECK(sound->samples.size() % sound->bytesPerFrame() == 0);
    FUZZ_CHECK(sound->durationMs() >= 1);

    // The samples lie in the file just after some "data" header whose size covers them.
    bool found = false;
    for (qsizetype at = bytes.indexOf("data", 12); at >= 0 && !found;
         at = bytes.indexOf("data", at + 1)) {
        if (at + 8 > bytes.size())
            break;
        const quint32 declared = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        found = declared >= quint32(sound->samples.size()) &&
                declared - quint32(sound->samples.size()) < quint32(sound->bytesPerFrame()) &&
                bytes.mid(at + 8, sound->samples.size()) == sound->samples;
    }
    FUZZ_CHECK(found);
    return 0;
}
