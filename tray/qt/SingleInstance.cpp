#include "tray/qt/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace {

// The runtime folder is per user; the machine's folder names the machine.
QString lockPathFor(const std::filesystem::path& machineFolder) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(machineFolder, error);
    const QByteArray key = QByteArray::fromStdString((error ? machineFolder : canonical).string());
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("roamwise-RmwSysTray-%1.lock").arg(hash));
}

}  // namespace

SingleInstance::SingleInstance(const std::filesystem::path& machineFolder)
    : lock_(std::make_unique<QLockFile>(lockPathFor(machineFolder))) {
    // The lock lives as long as the utility, however long that is.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return lock_->tryLock(0);
}
