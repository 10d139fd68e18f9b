#include "platform/qt/QtText.h"

#include "platform/AsciiText.h"

namespace qtkit {

QString toQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQt(const QString& text) { return text.toLatin1().toStdString(); }

QString messageText(const std::string& text) { return toQt(platform::lineBreaks(text)); }

QString withoutAccessKeys(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        else if (caption[i] == '&') continue;
        shown += caption[i];
    }
    return toQt(shown);
}

}  // namespace qtkit
