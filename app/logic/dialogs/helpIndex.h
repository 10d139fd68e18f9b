#pragma once
// The help pages that come with the program.

// Opens the help index, "help\index.html" in the program's folder, with the desktop's
// default handler. Whether it opened is not reported.
void openHelpIndex();
