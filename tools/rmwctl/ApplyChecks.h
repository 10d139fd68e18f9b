#pragma once
// Checks of a configuration file made before anything of it is applied, so that a file
// the machine cannot take whole is refused with nothing changed.

#include <string>
#include <vector>

namespace rmwctl {

// Throws Failure naming the setting when FILE holds a value the machine cannot take:
// an address, mask or list that is not valid, more than one address or mask for the
// adapter on Windows 95/98 (as the window's fields allow), a Navigator port that is not a
// number from 0 to 65535.
void requireApplicableValues(const std::string& file, const std::string& shownName, bool isNT);

// The sections of groups FILE switches on that are missing from it entirely (a file cut
// short, a bad copy): "[Network]" and so on. Applying such a file would leave those
// settings as they are while the file claims to set them.
std::vector<std::string> missingSections(const std::string& file);

}  // namespace rmwctl
