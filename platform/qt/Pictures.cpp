#include "platform/qt/Pictures.h"

#include "platform/qt/QtText.h"

namespace qtkit {

QIcon picture(const std::string& name) {
    if (name.empty()) return {};
    const QString qtName = toQt(name);
    return QIcon::fromTheme(qtName, QIcon(QStringLiteral(":/icons/") + qtName + QStringLiteral(".svg")));
}

}  // namespace qtkit
