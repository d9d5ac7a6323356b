#pragma once

// Real faults for the screens to meet: a table file another process holds locked, a disk that
// fills up, a file overwritten with garbage. Each is lifted when its object goes.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace faults {

/// Another process that holds a lock on a table file until released. The write lock (as
/// `BEGIN IMMEDIATE` in a second copy of the program) lets readers go on and makes writers wait
/// and fail; the exclusive one (a writer committing, a backup tool copying) stops readers too.
class OtherProcessLock {
public:
    enum Kind { Write, Exclusive };
    explicit OtherProcessLock(const QString& file, Kind kind = Write) {
        const char* begin = kind == Write ? "BEGIN IMMEDIATE" : "BEGIN EXCLUSIVE";
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0)
            return;
        const QByteArray path = QFile::encodeName(file);
        fflush(nullptr);
        child_ = fork();
        if (child_ == 0) {
            close(toChild[1]);
            close(fromChild[0]);
            sqlite3* db = nullptr;
            char held =
                sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
                            SQLITE_OK &&
                        sqlite3_exec(db, begin, nullptr, nullptr, nullptr) == SQLITE_OK
                    ? 1
                    : 0;
            (void)!write(fromChild[1], &held, 1);
            char go = 0;
            (void)!read(toChild[0], &go, 1); // returns also when the test process is gone
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(db);
            _exit(0);
        }
        close(toChild[0]);
        close(fromChild[1]);
        release_ = toChild[1];
        char held = 0;
        held_ = child_ > 0 && read(fromChild[0], &held, 1) == 1 && held == 1;
        close(fromChild[0]);
    }
    ~OtherProcessLock() { release(); }
    OtherProcessLock(const OtherProcessLock&) = delete;
    OtherProcessLock& operator=(const OtherProcessLock&) = delete;

    bool held() const { return held_; }
    /// The other process lets the lock go and ends.
    void release() {
        if (release_ >= 0) {
            const char go = 1;
            (void)!write(release_, &go, 1);
            close(release_);
            release_ = -1;
        }
        if (child_ > 0) {
            int status = 0;
            waitpid(child_, &status, 0);
            child_ = -1;
        }
        held_ = false;
    }

private:
    pid_t child_ = -1;
    int release_ = -1;
    bool held_ = false;
};

/// A small disk of its own (a tmpfs) mounted on an empty folder, which fill() fills to the last
/// byte and empty() frees again. Mounting needs an administrator; mounted() says whether it was.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder, const char* size = "size=4m")
        : folder_(QFile::encodeName(folder)) {
        mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", 0, size) == 0;
    }
    ~SmallDisk() {
        empty();
        if (mounted_)
            umount2(folder_.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    /// Writes a filler file until the disk refuses a single byte more, then gives `room` bytes
    /// back; answers whether the disk was full.
    bool fill(qint64 room = 0) {
        QFile filler(QFile::decodeName(folder_) + QStringLiteral("/riempitivo"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        for (const int chunk : {1 << 16, 1 << 12, 1})
            while (filler.write(QByteArray(chunk, 'x')) == chunk) {
            }
        const bool full = filler.write("x", 1) != 1;
        return filler.resize(std::max<qint64>(0, filler.size() - room)) && full;
    }
    void empty() { QFile::remove(QFile::decodeName(folder_) + QStringLiteral("/riempitivo")); }

private:
    QByteArray folder_;
    bool mounted_ = false;
};

/// Overwrites the whole file with garbage, as a bad copy or a power cut may leave it.
inline bool overwriteWithGarbage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const qint64 size = file.size();
    QByteArray garbage(size, '\0');
    for (qint64 i = 0; i < size; ++i)
        garbage[i] = char((i * 7919 + 13) % 251);
    return file.write(garbage) == size;
}

/// Every record of every table file in `folder`, each as "file|value|value...", read through
/// connections of their own: what the next start of the program would find.
inline QStringList snapshot(const QString& folder) {
    QStringList rows;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.DB")}, QDir::Files, QDir::Name)) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(dir.filePath(name)).constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* s = nullptr;
        const QByteArray sql =
            "SELECT * FROM \"" + QFileInfo(name).completeBaseName().toUtf8() + "\" ORDER BY rowid";
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &s, nullptr) != SQLITE_OK)
            rows << name + QStringLiteral("|illeggibile");
        while (s && sqlite3_step(s) == SQLITE_ROW) {
            QString row = name;
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                row += QLatin1Char('|') +
                       QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)));
            rows << row;
        }
        sqlite3_finalize(s);
        sqlite3_close(db);
    }
    return rows;
}

} // namespace faults
