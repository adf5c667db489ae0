#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <unistd.h>

SingleInstance::SingleInstance(std::string path) : lock_(std::make_unique<QLockFile>(QFile::decodeName(path.c_str())))
{
    // A lock is stale only when the process that wrote it is gone, never by its age.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Acquire()
{
    return lock_->isLocked() || lock_->tryLock(100);
}

std::string SingleInstance::DefaultPath()
{
    return QFile::encodeName(QDir::tempPath()).toStdString() + "/lantile-" + std::to_string(getuid()) + ".lock";
}
