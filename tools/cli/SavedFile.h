// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"

namespace km905::cli {

// A graph or list file of the program, read whole.
struct SavedFile {
    enum class Kind { Graph, List } kind = Kind::Graph;
    GraphRecord graph;
    std::vector<ListRecord> records;
    // The extension the program gives this kind.
    QString suffix() const;
};

// Told apart by the extension, or else by the shape; on failure *why says what is wrong.
std::optional<SavedFile> readSavedFile(const QString& path, QString* why);

}  // namespace km905::cli
