#pragma once
// Splitting rmw's command line into its arguments. Arguments are separated by commas;
// double quotes are dropped wherever they stand, but a comma between them belongs to the
// argument, so a quoted path may contain commas. Blanks belong to the argument: the file
// association passes a path with blanks unquoted.

#include <string>
#include <vector>

// The arguments of SCOMMANDLINE, at most IMAXARGS of them (the walk stops at the start
// of one more). Commas before an argument start nothing: ",,a" gives the one argument
// "a", while a pair of quotes alone ("") gives an empty one.
std::vector<std::string> splitCommandLine(const std::string& sCommandLine, int iMaxArgs);

// SCOMMANDLINE with every double quote removed.
std::string withoutQuotes(const std::string& sCommandLine);
