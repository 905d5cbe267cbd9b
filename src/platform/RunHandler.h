// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Runs one handler body. A KartakError (or any other exception) stops the body at the failing
// step, leaves what it did before as done, and shows the standard error box. Every handler and
// every creation handler goes through here, so no exception reaches Qt's event loop.
// Returns false when the body failed.
bool runHandler(const std::function<void()>& body);
