// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding any UTF-16 text (the input's bytes taken in pairs, little-endian, lone surrogates
// included): one byte per code point, each the byte the C library's table gives for it, or the
// unmappable handler's text for code points the code page cannot hold.
#include "Cp1250Oracle.h"
#include "FuzzSupport.h"

#include "files/Cp1250.h"

#include <QList>

namespace {

// Code points as the encoder must see them: a high surrogate followed by a low one is one.
QList<char32_t> codePointsOf(const QString& text)
{
    QList<char32_t> codePoints;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size()) {
            const char16_t next = text[i + 1].unicode();
            if (next >= 0xDC00 && next <= 0xDFFF) {
                codePoints.append(0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                  (char32_t(next) - 0xDC00));
                ++i;
                continue;
            }
        }
        codePoints.append(unit);
    }
    return codePoints;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Cp1250Oracle::instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Cp1250Oracle& oracle = Cp1250Oracle::instance();
    QString text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.append(QChar(char16_t(data[i] | data[i + 1] << 8)));
    const QList<char32_t> codePoints = codePointsOf(text);

    const QByteArray plain = Cp1250::encode(text);
    FUZZ_CHECK(plain.size() == codePoints.size());

    QList<char32_t> unmappable;
    const QByteArray marked = Cp1250::encode(text, [&](char32_t codePoint) {
        unmappable.append(codePoint);
        return QByteArray(unmappable.size() % 2 ? "" : "[]");
    });

    qsizetype pos = 0;
    qsizetype calls = 0;
    for (qsizetype i = 0; i < codePoints.size(); ++i) {
        const char32_t codePoint = codePoints[i];
        const int byte = oracle.byteFor(codePoint);
        FUZZ_CHECK(Cp1250::byteFor(codePoint) == byte);
        FUZZ_CHECK(Cp1250::canEncode(codePoint) == (byte >= 0));
        if (byte >= 0) {
            FUZZ_CHECK(std::uint8_t(plain[i]) == byte);
            FUZZ_CHECK(pos < marked.size() && std::uint8_t(marked[pos]) == byte);
            FUZZ_CHECK(Cp1250::decode(plain.mid(i, 1)) == QString::fromUcs4(&codePoint, 1));
            ++pos;
        } else {
            FUZZ_CHECK(plain[i] == '?');
            FUZZ_CHECK(calls < unmappable.size() && unmappable[calls] == codePoint);
            ++calls;
            if (calls % 2 == 0) {
                FUZZ_CHECK(marked.mid(pos, 2) == "[]");
                pos += 2;
            }
        }
    }
    FUZZ_CHECK(calls == unmappable.size());
    FUZZ_CHECK(pos == marked.size());
    return 0;
}
