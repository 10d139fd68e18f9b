#pragma once
// Checks of the address fields of the General tab: a dotted IPv4 address, and a list of
// such addresses separated by one delimiter character. Only the dotted form is checked;
// whether an address or mask makes sense on the network is the user's business.

#include <string>

// True for an empty text and for four dot-separated parts of one to three digits, each
// at most 255 ("08.8.8.8" included). Blanks and any other character make it invalid.
bool isValidIP(const std::string& address);

// True for an empty list and for items separated by DELIMITER that are each non-empty and
// valid addresses; a leading, doubled or trailing delimiter makes the list invalid.
bool isValidIPList(const std::string& list, char delimiter);
