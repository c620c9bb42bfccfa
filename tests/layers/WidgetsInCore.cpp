// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the core reaches Qt Core only.
#include <QtWidgets/QWidget>
