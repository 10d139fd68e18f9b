#pragma once
// Texts between the models and Qt. Model text is bytes in the system's single-byte code
// page; Qt shows them as Latin-1, which maps every byte to one character and back.

#include <QString>
#include <string>

namespace qtkit {

QString toQt(const std::string& text);
std::string fromQt(const QString& text);
// A message's text as a screen shows it: carriage returns (with or without a line feed)
// become line breaks.
QString messageText(const std::string& text);
// A caption without its access-key marks ("&Open" shows "Open", "&&" shows "&"), for
// widgets that do not underline access keys.
QString withoutAccessKeys(const std::string& caption);

}  // namespace qtkit
