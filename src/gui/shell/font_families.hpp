// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// Font names stored in Zephon's files and used by its windows are those of the platform the files
// were first written on ("Arial", "MS Sans Serif"). They stay unchanged in the files; on screen
// each is drawn with a family present on Linux of the same kind and width.

#include <QFont>
#include <QString>
#include <string>

QString ScreenFontFamily(const std::string& storedFace);
// A font of the stored face at a height in pixels.
QFont ScreenFont(const std::string& storedFace, int pixelHeight, bool bold = false, bool italic = false);
