// SPDX-License-Identifier: GPL-3.0-or-later
#include "SurveyList.h"

#include "Report.h"
#include "SavedFile.h"

namespace km905::cli {

std::optional<CDTDoc> readSurveyList(const QString& path, int* status) {
    QString why;
    const std::optional<SavedFile> file = readSavedFile(path, &why);
    if (!file) {
        *status = fail(path, why);
        return std::nullopt;
    }
    if (file->kind != SavedFile::Kind::List) {
        *status = fail(path, QStringLiteral("is a graph file; the survey needs a memory list "
                                            "(.MemDat)"));
        return std::nullopt;
    }
    CDTDoc doc;
    listToDocument(file->records, doc);
    return doc;
}

}  // namespace km905::cli
