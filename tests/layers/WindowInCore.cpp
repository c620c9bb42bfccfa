// SPDX-License-Identifier: GPL-3.0-or-later
// A core source cannot reach a window: this must not compile.
#include "ui/app/CMainFrame.h"
