#pragma once

// Makes a file or a folder unwritable for the length of a test, as read-only media would. Root
// ignores permission bits, so there the immutable attribute is used instead.
#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

namespace storetest {

class ReadOnly {
public:
    explicit ReadOnly(const QString& path)
        : path_(path) {
        if (geteuid() == 0) {
            immutable_ = chattr(QStringLiteral("+i"));
            applied_ = immutable_;
        } else {
            permissions_ = QFile::permissions(path);
            applied_ = QFile::setPermissions(path, permissions_ &
                                                       ~(QFile::WriteOwner | QFile::WriteUser |
                                                         QFile::WriteGroup | QFile::WriteOther));
        }
    }
    ~ReadOnly() {
        if (immutable_)
            chattr(QStringLiteral("-i"));
        else if (applied_)
            QFile::setPermissions(path_, permissions_);
    }
    ReadOnly(const ReadOnly&) = delete;
    ReadOnly& operator=(const ReadOnly&) = delete;

    /// False where the file system offers neither (the test then has nothing to try).
    bool applied() const { return applied_; }

private:
    bool chattr(const QString& flag) const {
        QProcess process;
        process.start(QStringLiteral("chattr"), {flag, path_});
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    QString path_;
    QFile::Permissions permissions_;
    bool immutable_ = false;
    bool applied_ = false;
};

} // namespace storetest
