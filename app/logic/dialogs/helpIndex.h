#pragma once
// The help pages that come with the program.

// The working folder the help page is opened with: the main window uses the program's
// folder, the restart and options dialogs the root of drive C.
enum class HelpFolder { Program, DriveC };

// Opens the help index, "help\index.html" in the program's folder, with the desktop's
// default handler. Whether it opened is not reported.
void openHelpIndex(HelpFolder workingFolder = HelpFolder::DriveC);
