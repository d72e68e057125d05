#pragma once
// The about box ("About Zephon...").

class QWidget;

void ShowAboutBox(QWidget* parent);
