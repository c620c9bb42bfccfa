// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/BridgeLookup.h"

namespace km905 {

int portNumberFromComText(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == 'C' || text[i] == 'O' || text[i] == 'M')) ++i;
    // atoi: optional blanks and sign, then the leading digits.
    const QString rest = text.mid(i).trimmed();
    qsizetype j = 0;
    if (j < rest.size() && (rest[j] == '-' || rest[j] == '+')) ++j;
    while (j < rest.size() && rest[j].isDigit()) ++j;
    bool ok = false;
    const int n = rest.left(j).toInt(&ok);
    return ok ? n : 0;
}

bool isCp210x(unsigned vendor, unsigned product) {
    if (vendor != 0x10C4) return false;
    switch (product) {
        case 0xEA60:
        case 0xEA61:
        case 0xEA63:
        case 0xEA70:
        case 0xEA71:
        case 0xEA80:
            return true;
        default:
            return false;
    }
}

}  // namespace km905
