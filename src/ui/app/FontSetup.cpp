// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/FontSetup.h"

#include <QFont>

namespace km905 {

void installFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Narrow Arial"),
                              QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral(" Narrow Arial"),
                              QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"),
                              QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("SimSun"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QString::fromUtf8("\xE5\xAE\x8B\xE4\xBD\x93"),
                              QStringLiteral("Liberation Sans"));
}

}  // namespace km905
