#include "platform/SingleInstance.h"

#include <QFile>
#include <QLockFile>
#include <climits>
#include <cstdlib>

SingleInstance::SingleInstance(std::string path) : lock_(std::make_unique<QLockFile>(QFile::decodeName(path.c_str())))
{
    // A lock is stale only when the process that wrote it is gone, never by its age.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Acquire()
{
    return lock_->isLocked() || lock_->tryLock(100) || lock_->error() != QLockFile::LockFailedError;
}

std::string SingleInstance::PathFor(const std::string &programFolder)
{
    char real[PATH_MAX];
    const std::string folder = realpath(programFolder.c_str(), real) ? std::string(real) : programFolder;
    return folder + "/lantile.lock";
}
