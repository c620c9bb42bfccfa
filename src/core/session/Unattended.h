// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/UserInteraction.h"
#include "core/files/JournalFile.h"
#include "core/link/BridgeLookup.h"

namespace km905 {

// Stand-ins for a session that nobody sits at: a command-line program or a benchmark.

// The port stays the one given; no bridge moves it.
struct NoBridgeLookup : IBridgeLookup {
    std::optional<int> bridgePort(int) const override { return std::nullopt; }
};

// Every dialog is cancelled and every question answered No.
struct NoUserInteraction : IUserInteraction {
    void showMessage(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return std::nullopt; }
    void setWaitCursor(bool) override {}
    std::optional<int> askSampleRate(int) override { return std::nullopt; }
    std::optional<YAxisChoice> askYAxis(int, int) override { return std::nullopt; }
    void openHelp(const QString&) override {}
    bool printReport(const std::vector<ReportPage>&) override { return false; }
};

// Keeps nothing and finds nothing, so the window's journal of a crash is left alone.
struct NoJournalFile : IJournalFile {
    bool create(const QByteArray&) override { return false; }
    bool append(const QByteArray&) override { return false; }
    std::optional<QByteArray> readAll() override { return std::nullopt; }
    void remove() override {}
    std::optional<QString> keepAside() override { return std::nullopt; }
};

}  // namespace km905
