// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The user's profile under the key "Zephon": recent files, the main window's place and size, its
// docks, the folders last used in file dialogs, what each document file's windows showed and how
// often recovery copies are written.

#include <QSettings>

inline constexpr const char* kRecentFilesKey = "RecentFiles";
inline constexpr const char* kMainWindowGeometryKey = "MainWindow/Geometry";
inline constexpr const char* kMainWindowStateKey = "MainWindow/State";
inline constexpr const char* kLastOpenFolderKey = "Folders/Open";
inline constexpr const char* kLastSaveFolderKey = "Folders/Save";
inline constexpr const char* kLastExportFolderKey = "Folders/Export";
// Seconds between recovery copies of a document that keeps changing; 0: no copies.
inline constexpr const char* kRecoveryIntervalKey = "Recovery/IntervalSeconds";
inline constexpr int kDefaultRecoveryInterval = 20;
// Per document file: its window's size, the iso-GOR and iso-API toggles.
inline constexpr const char* kDocumentLayoutGroup = "Documents";

inline QSettings ZephonSettings() {
    return QSettings("Zephon", "Zephon");
}
