#include "FilePair.h"

#include <QSaveFile>
#include <memory>

namespace km905 {

bool plainWrite(QIODevice& file, const QByteArray& bytes) {
    return file.write(bytes) == bytes.size();
}

bool writeFilesTogether(const std::vector<PendingFile>& files, const WriteFunction& write) {
    std::vector<std::unique_ptr<QSaveFile>> open;
    for (const PendingFile& f : files) {
        auto s = std::make_unique<QSaveFile>(f.path);
        if (!s->open(QIODevice::WriteOnly) || !write(*s, f.bytes)) {
            s->cancelWriting();
            for (auto& o : open) o->cancelWriting();
            return false;  // the temporary files go with their QSaveFile
        }
        open.push_back(std::move(s));
    }
    bool ok = true;
    for (auto& s : open) ok = s->commit() && ok;
    return ok;
}

}  // namespace km905
