#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>
#include <vector>

namespace km905 {

struct PendingFile {
    QString path;
    QByteArray bytes;
};

// How bytes reach a file; tests put in one that fails.
using WriteFunction = std::function<bool(QIODevice& file, const QByteArray& bytes)>;
bool plainWrite(QIODevice& file, const QByteArray& bytes);

// Writes every file under a temporary name in its own folder and moves them into place only
// when all were written completely. On any failure nothing is replaced: existing files stay
// as they were. Returns true when all files are in place.
bool writeFilesTogether(const std::vector<PendingFile>& files,
                        const WriteFunction& write = plainWrite);

}  // namespace km905
