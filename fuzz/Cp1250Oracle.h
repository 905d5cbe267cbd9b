// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <map>

// Windows-1250 as the C library's iconv knows it: an independent table to hold our own
// against. Bytes the code page leaves undefined map to 0.
class Cp1250Oracle
{
public:
    static const Cp1250Oracle& instance();

    char32_t codePoint(std::uint8_t byte) const { return m_codePoints[byte]; }
    bool isDefined(std::uint8_t byte) const { return m_codePoints[byte] != 0 || byte == 0; }
    // The byte for a code point, or -1 when no byte decodes to it.
    int byteFor(char32_t codePoint) const;

private:
    Cp1250Oracle();

    std::array<char32_t, 256> m_codePoints{};
    std::map<char32_t, int> m_bytes;
};
