// A file system of 128 KiB of the test's own, mounted on a temporary folder, for the
// tests of a disk that fills up while a file is written. Only root may mount one; the
// tests skip where it cannot be mounted.
#pragma once

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace windowtest {

class SmallDisk {
public:
    // The room a file may take in all, in KiB: the size less one page for the folder.
    static constexpr int kRoomKiB = 124;

    SmallDisk() {
        if (geteuid() != 0) {
            why_ = "mounting the small file system needs root";
            return;
        }
        QProcess mount;
        mount.start("mount", {"-t", "tmpfs", "-o", "size=128k", "tmpfs", dir_.path()});
        if (!mount.waitForFinished() || mount.exitCode() != 0) {
            why_ = "this machine lets no file system be mounted here";
            return;
        }
        mounted_ = true;
    }
    ~SmallDisk() {
        if (mounted_) QProcess::execute("umount", {dir_.path()});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty once mounted; otherwise why the test is to be skipped.
    const char* whyNot() const { return why_; }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    QString path() const { return dir_.path(); }

    // Writes a file of `bytes` at `name`; true when every byte went.
    bool Put(const QString& name, const QByteArray& bytes) const {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    // Takes room with a file "fill" so that `freeKiB` of kRoomKiB stay free, counting
    // one page already taken by a file written before.
    bool Fill(int freeKiB) const {
        return Put("fill", QByteArray(qsizetype(kRoomKiB - freeKiB) * 1024, 'x'));
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    const char* why_ = "";
};

}  // namespace windowtest
