// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cp1250Oracle.h"

#include "FuzzSupport.h"

#include <iconv.h>

#include <cerrno>

const Cp1250Oracle& Cp1250Oracle::instance()
{
    static const Cp1250Oracle oracle;
    return oracle;
}

Cp1250Oracle::Cp1250Oracle()
{
    const iconv_t converter = iconv_open("UTF-32LE", "CP1250");
    FUZZ_CHECK(converter != iconv_t(-1));
    for (int byte = 0; byte < 256; ++byte) {
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        char in = char(byte);
        unsigned char out[4] = {};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1)) {
            FUZZ_CHECK(errno == EILSEQ);
            continue;
        }
        FUZZ_CHECK(outLeft == 0);
        const char32_t codePoint = char32_t(out[0]) | char32_t(out[1]) << 8 |
                                   char32_t(out[2]) << 16 | char32_t(out[3]) << 24;
        m_codePoints[byte] = codePoint;
        FUZZ_CHECK(m_bytes.emplace(codePoint, byte).second);
    }
    iconv_close(converter);

    // The table the program relies on: exactly these five bytes are undefined.
    int undefined = 0;
    for (int byte = 0; byte < 256; ++byte)
        undefined += isDefined(std::uint8_t(byte)) ? 0 : 1;
    FUZZ_CHECK(undefined == 5);
    for (const int byte : {0x81, 0x83, 0x88, 0x90, 0x98})
        FUZZ_CHECK(!isDefined(std::uint8_t(byte)));
}

int Cp1250Oracle::byteFor(char32_t codePoint) const
{
    const auto found = m_bytes.find(codePoint);
    return found == m_bytes.end() ? -1 : found->second;
}
