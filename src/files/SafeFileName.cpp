// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/SafeFileName.h"

namespace {

bool replaced(char32_t c)
{
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return true;
    switch (c) {
    case U'"':
    case U'/':
    case U'\\':
    case U':':
    case U'*':
    case U'?':
    case U'<':
    case U'>':
    case U'|':
        return true;
    default:
        return false;
    }
}

qsizetype utf8Length(char32_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

bool trimmed(QChar c)
{
    return c == u' ' || c == u'.';
}

QString withoutEdgeSpacesAndDots(QString text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && trimmed(text[start]))
        ++start;
    while (end > start && trimmed(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

} // namespace

QString safeFileName(QStringView name, QStringView extension)
{
    QString safe;
    safe.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            safe += c;
            safe += name[++i];
        } else if (c.isSurrogate() || replaced(c.unicode())) {
            // A lone half of a surrogate pair is no character and has no UTF-8 form.
            safe += u'_';
        } else {
            safe += c;
        }
    }
    safe = withoutEdgeSpacesAndDots(safe);

    const qsizetype room = MaxFileNameBytes - extension.toUtf8().size();
    qsizetype bytes = 0;
    qsizetype kept = 0;
    while (kept < safe.size()) {
        const bool pair = safe[kept].isHighSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(safe[kept], safe[kept + 1])
                                : char32_t(safe[kept].unicode());
        if (bytes + utf8Length(c) > room)
            break;
        bytes += utf8Length(c);
        kept += pair ? 2 : 1;
    }
    if (kept < safe.size())
        safe = withoutEdgeSpacesAndDots(safe.left(kept));
    // The dialog adds the extension only to a name without one, and takes whatever follows the
    // last dot for one: such a name gets the extension here, so the file keeps its type.
    if (safe.contains(u'.') && !safe.endsWith(extension, Qt::CaseInsensitive))
        safe += extension;
    return safe;
}
