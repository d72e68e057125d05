#pragma once
// The about box ("About Zephon...") and the help contents.

class QWidget;

void ShowAboutBox(QWidget* parent);
void ShowHelpContents(QWidget* parent);
