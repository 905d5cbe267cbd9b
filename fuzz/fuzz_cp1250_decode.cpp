// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding never fails and keeps one character per byte, each the C library's reading of it
// (U+FFFD for the five undefined bytes); encoding the result gives the bytes back, '?' in place
// of the undefined ones.
#include "Cp1250Oracle.h"
#include "FuzzSupport.h"

#include "files/Cp1250.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Cp1250Oracle::instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Cp1250Oracle& oracle = Cp1250Oracle::instance();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = Cp1250::decode(bytes);

    FUZZ_CHECK(text.size() == bytes.size());
    QByteArray expectedBack = bytes;
    qsizetype undefined = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = std::uint8_t(bytes[i]);
        if (oracle.isDefined(byte)) {
            FUZZ_CHECK(text[i].unicode() == oracle.codePoint(byte));
        } else {
            FUZZ_CHECK(text[i].unicode() == 0xFFFD);
            expectedBack[i] = '?';
            ++undefined;
        }
    }

    FUZZ_CHECK(Cp1250::encode(text) == expectedBack);

    qsizetype unmappableCalls = 0;
    const QByteArray marked = Cp1250::encode(text, [&](char32_t codePoint) {
        FUZZ_CHECK(codePoint == 0xFFFD);
        ++unmappableCalls;
        return QByteArray("<>");
    });
    FUZZ_CHECK(unmappableCalls == undefined);
    FUZZ_CHECK(marked.size() == bytes.size() + undefined);
    return 0;
}
