// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RunHandler.h"

#include "files/KartakError.h"
#include "platform/MessageBox.h"

#include <QString>

#include <exception>

bool runHandler(const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const KartakError& error) {
        MessageBox::error(error.text());
    } catch (const std::exception& error) {
        MessageBox::error(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        MessageBox::error(QStringLiteral("Unknown error"));
    }
    return false;
}
