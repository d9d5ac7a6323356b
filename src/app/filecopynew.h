#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace app {

/// A multi-line text box seen as a list of lines; screens adapt their widget to it.
class MemoLines {
public:
    virtual ~MemoLines() = default;
    /// Appends one line at the end of the box.
    virtual void addLine(const QString& line) = 0;
};

class TFileCopyNew;

/// Progress of the file being copied: read and written percentages, 0..100.
using TCopyProgressEvent =
    std::function<void(TFileCopyNew& Sender, std::uint16_t Read, std::uint16_t Written)>;
/// Asked before an existing target file is overwritten; CanOverride arrives false.
using TOnOverriding = std::function<void(TFileCopyNew& Sender, bool& CanOverride)>;
/// Receives every error message.
using TOnError = std::function<void(TFileCopyNew& Sender, const QString& ErrorMsg)>;

/// Copies one file, or the files of a folder matching a mask (optionally with subfolders), into
/// a target folder. Never throws or fails towards its caller: every problem goes to OnError.
///
/// Paths use the native separator; a mask copy's source is a folder followed by a mask such as
/// "*.*" and its target is a folder ending with the separator.
class TFileCopyNew {
public:
    static constexpr std::size_t BufferSize = 16384;

    QString SourceFile; ///< a file path, or a folder path followed by a mask
    QString TargetFile; ///< the target file, or the target folder ending with the separator
    bool IncludeSubFolders = false;
    MemoLines* Memo = nullptr; ///< not owned; where progress lines go
    bool ShowProgressOnMemo = true;

    TCopyProgressEvent OnCopyProgress;
    TOnOverriding OnOverriding;
    TOnError OnError;
    /// Sounds the system's default beep when a source cannot be opened; the screens plug it in.
    std::function<void()> OnBeep;

    /// Copies SourceFile to TargetFile; reports failures through OnError only.
    void CopyFiles();
    /// Copies S to T: one file when S has no "*", otherwise every match of S's mask.
    /// @return false when a file copy failed or a folder would be copied into itself.
    bool CopyFolder(const QString& S, const QString& T);
    /// Copies the file S to the file T byte for byte, asking OnOverriding when T exists.
    bool CopyOneFile(const QString& S, const QString& T);
    /// Passes the message to OnError; it is lost when no handler is assigned.
    void ReportError(const QString& ErrorMsg);
    /// Adds a progress line to Memo when ShowProgressOnMemo is true (an error without a Memo).
    void LogLine(const QString& text);
};

} // namespace app
