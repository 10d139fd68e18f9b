#pragma once
// What the main program needs to know about the system it runs on: the platform family
// and the versions of the two browsers it can configure.

#include <string>

// "95" on the Windows 95/98 platform, "NT" on Windows NT, "" for anything else or when
// the system does not say.
std::string getOSPlatform();
// Internet Explorer's version from the user agent text ("MSIE 4.01;" gives 4.01); 0 when
// it is not known.
float getIEVersion();
// Navigator's version from its "CurrentVersion" value ("4.5 (en)" gives 4.5); 0 when it
// is not known.
float getNNVersion();

// The number a version text starts with: digits with at most one decimal point, after
// any leading blanks; 0 when it starts with none.
float leadingNumber(const std::string& text);
