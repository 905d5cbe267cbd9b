// SPDX-License-Identifier: GPL-3.0-or-later
// The resource library needs one source while no artwork exists.
