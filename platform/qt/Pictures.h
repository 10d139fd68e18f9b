#pragma once
// The pictures controls name (Control::Picture): the desktop's icon theme first, so a
// standard name such as "document-open" looks like the rest of the desktop, then our
// own picture of that name in the program's resources (":/icons/NAME.svg").

#include <QIcon>
#include <string>

namespace qtkit {

QIcon picture(const std::string& name);

}  // namespace qtkit
