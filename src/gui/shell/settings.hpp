#pragma once
// The user's profile under the key "Zephon": recent files, the main window's place and size, and
// the folders last used in file dialogs.

#include <QSettings>

inline constexpr const char* kRecentFilesKey = "RecentFiles";
inline constexpr const char* kMainWindowGeometryKey = "MainWindow/Geometry";
inline constexpr const char* kMainWindowStateKey = "MainWindow/State";
inline constexpr const char* kLastOpenFolderKey = "Folders/Open";
inline constexpr const char* kLastSaveFolderKey = "Folders/Save";
inline constexpr const char* kLastExportFolderKey = "Folders/Export";

inline QSettings ZephonSettings() {
    return QSettings("Zephon", "Zephon");
}
