// SPDX-License-Identifier: GPL-3.0-or-later
// The meter's bridges on Linux: ttyUSB devices whose USB device is a CP210x, found in sysfs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

#include "core/link/BridgeLookup.h"
#include "core/link/SysfsBridgeLookup.h"

namespace km905 {

namespace {
unsigned readHex(const QString& path, bool* ok) {
    QFile f(path);
    *ok = false;
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return f.readAll().trimmed().toUInt(ok, 16);
}
}  // namespace

SysfsBridgeLookup::SysfsBridgeLookup(QString sysRoot) : m_sysRoot(std::move(sysRoot)) {}

std::vector<int> SysfsBridgeLookup::bridgeTtyNumbers() const {
    std::map<int, bool> found;  // ordered by k
    const QDir ttyDir(m_sysRoot + QStringLiteral("/class/tty"));
    static const QRegularExpression name(QStringLiteral("^ttyUSB(\\d+)$"));
    for (const QString& entry :
         ttyDir.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot)) {
        const auto m = name.match(entry);
        if (!m.hasMatch()) continue;
        // The tty's device is a USB interface; its vendor and product ids sit a level or two up.
        QString dir =
            QFileInfo(ttyDir.filePath(entry) + QStringLiteral("/device")).canonicalFilePath();
        for (int up = 0; up < 4 && !dir.isEmpty(); ++up) {
            bool okV = false, okP = false;
            const unsigned v = readHex(dir + QStringLiteral("/idVendor"), &okV);
            const unsigned p = readHex(dir + QStringLiteral("/idProduct"), &okP);
            if (okV && okP) {
                if (isCp210x(v, p)) found[m.captured(1).toInt()] = true;
                break;
            }
            dir = QFileInfo(dir).path();
        }
    }
    std::vector<int> out;
    for (const auto& [k, _] : found) out.push_back(k);
    return out;
}

std::optional<int> SysfsBridgeLookup::bridgePort(int slot) const {
    const std::vector<int> ks = bridgeTtyNumbers();
    if (slot < 0 || slot >= static_cast<int>(ks.size())) return std::nullopt;
    return ks[static_cast<size_t>(slot)] + 1;  // ttyUSBk is port k + 1
}

std::unique_ptr<IBridgeLookup> makeSystemBridgeLookup() {
    return std::make_unique<SysfsBridgeLookup>(QStringLiteral("/sys"));
}

}  // namespace km905
