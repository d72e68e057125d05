// SPDX-License-Identifier: BSD-3-Clause
#pragma once
// The about box ("About Zephon...").

class QWidget;

void ShowAboutBox(QWidget* parent);
