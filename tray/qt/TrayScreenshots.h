#pragma once
// Pictures of the tray utility for the documentation and for checking its looks: the
// about box (tray-about.png) and the icon's menu with three recent files
// (tray-menu.png), drawn without touching the machine.

#include <QString>

// Draws both pictures into FOLDER (made when missing); false, with the cause on
// standard error, when one cannot be written.
bool trayScreenshots(const QString& folder);
