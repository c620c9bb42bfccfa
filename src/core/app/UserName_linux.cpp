// SPDX-License-Identifier: GPL-3.0-or-later
#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "core/app/UserName.h"

namespace km905 {

QString userFullName() {
    const long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? static_cast<size_t>(hint) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return qEnvironmentVariable("USER");
    const QString login = QString::fromLocal8Bit(found->pw_name);
    // The GECOS field: the full name, then office, telephones and such after commas.
    QString name = QString::fromLocal8Bit(found->pw_gecos).section(QLatin1Char(','), 0, 0);
    // An ampersand stands for the login name, capitalised.
    if (!login.isEmpty()) name.replace(QLatin1Char('&'), login.left(1).toUpper() + login.mid(1));
    name = name.trimmed();
    return name.isEmpty() ? login : name;
}

}  // namespace km905
