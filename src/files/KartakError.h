// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>

// A failing step of a handler throws this, carrying the text the user sees in the error box
// ("File not found", "Cannot open file Beta.ktd", ...). runHandler() catches it at the handler
// boundary; it never crosses Qt's event loop.
class KartakError : public std::exception
{
public:
    explicit KartakError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}

    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
