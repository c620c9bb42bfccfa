// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the report painter reaches Qt Gui and Qt Core only.
#include <QtWidgets/QWidget>
