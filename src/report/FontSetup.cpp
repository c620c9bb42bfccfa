// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/FontSetup.h"

#include <QDir>
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

void useSystemFontsWhenOffscreen() {
#ifdef Q_OS_WIN
    const QString windows = qEnvironmentVariable("WINDIR");
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QStringLiteral("offscreen")) ||
        !qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR") || windows.isEmpty())
        return;
    const QString fonts = QDir::toNativeSeparators(windows + QStringLiteral("/Fonts"));
    qputenv("QT_QPA_FONTDIR", fonts.toLocal8Bit());
#endif
}

}  // namespace km905
