// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/DiskSync.h"

#include <windows.h>
#include <QDir>

namespace km905 {

namespace {
QString windowsReason(DWORD error) {
    return qt_error_string(static_cast<int>(error));
}

const wchar_t* native(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
}
}  // namespace

// Qt opens files through the Win32 API and has no C descriptor to give (handle() is -1), so
// the file is flushed through a handle of its own: the system cache is the file's, not the
// handle's.
QString syncToDisk(QFile& file) {
    if (!file.flush()) return file.errorString();
    const QString path = QDir::toNativeSeparators(file.fileName());
    const HANDLE h = CreateFileW(native(path), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return windowsReason(GetLastError());
    const bool flushed = FlushFileBuffers(h);
    const DWORD error = GetLastError();
    CloseHandle(h);
    return flushed ? QString() : windowsReason(error);
}

QString replaceFile(const QString& from, const QString& to) {
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    return MoveFileExW(native(source), native(target),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? QString()
               : windowsReason(GetLastError());
}

}  // namespace km905
