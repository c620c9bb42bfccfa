// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <optional>

#include "core/survey/SurveyRequirement.h"

namespace km905::cli {

// --require EM,U0 and --area NAME, as summary and report take them.
struct RequirementOptions {
    QCommandLineOption require{QStringLiteral("require"), QString(), QStringLiteral("EM,U0")};
    QCommandLineOption area{QStringLiteral("area"), QString(), QStringLiteral("NAME")};
    void addTo(QCommandLineParser& parser) const { parser.addOptions({require, area}); }
};

// The requirement given, or none; false (the command line reported) when it is wrong. An area
// is one shipped or one of the user's own in the settings file.
bool readRequirement(const QCommandLineParser& parser, const RequirementOptions& o,
                     std::optional<SurveyRequirement>& requirement);

}  // namespace km905::cli
