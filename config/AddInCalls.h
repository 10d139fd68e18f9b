#pragma once
// The members the main program calls on an add-in, each resolved by name at run time.
// A missing member, a wrong number of arguments or an answer of the wrong type raises
// a RaisedError to the caller; nothing is caught here.

#include <string>

#include "config/AddInObject.h"

namespace addins {

// Reads the add-in's own sections of the configuration file SFILE.
void loadSettings(AddInObject& addIn, const std::string& sFile);
// Writes the add-in's own sections into SFILE.
void saveSettings(AddInObject& addIn, const std::string& sFile);
// Applies the add-in's settings to the machine.
void applySettings(AddInObject& addIn);
// Runs the add-in's own dialog.
void Show(AddInObject& addIn);
// Shows the add-in's about box.
void about(AddInObject& addIn);
// True when what the add-in applied, loaded or changed takes effect only after a restart.
bool restart(AddInObject& addIn);
// True when the add-in's dialog changed its settings.
bool Changed(AddInObject& addIn);

}  // namespace addins
