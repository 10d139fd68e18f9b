#pragma once
// rmw --screenshot DIR: every window and dialog of rmw drawn to PNG files in DIR, the
// main window once per tab, for documentation and review.

#include <QString>
#include <QStringList>

namespace qtkit {
class QtUserInterface;
}

namespace rmwqt {

// Draws every window through UI's layouts; returns the files written. Throws
// std::runtime_error when DIR cannot be made or a file cannot be written.
QStringList renderScreenshots(qtkit::QtUserInterface& ui, const QString& dir);

}  // namespace rmwqt
