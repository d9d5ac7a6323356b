#include "app/filecopynew.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using app::MemoLines;
using app::TFileCopyNew;

constexpr std::size_t Chunk = TFileCopyNew::BufferSize;

struct RecordingMemo : MemoLines {
    std::vector<QString> lines;
    void addLine(const QString& line) override { lines.push_back(line); }
};

QString text(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

/// The folder as a mask copy's target is written: with its trailing separator.
QString folderText(const fs::path& path) {
    return text(path) + QDir::separator();
}

/// Mask copy source: folder + separator + mask.
QString maskText(const fs::path& folder, const QString& mask) {
    return folderText(folder) + mask;
}

/// Distinct, non-repeating bytes so a misplaced or repeated chunk shows up.
std::string patternBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Everything under root, relative, folders ending with '/'; empty when root is missing.
std::set<std::string> tree(const fs::path& root) {
    std::set<std::string> names;
    if (!fs::exists(root)) {
        return names;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).generic_string();
        names.insert(entry.is_directory() ? name + "/" : name);
    }
    return names;
}

QString executionFailed(const QString& source, const QString& target) {
    return QStringLiteral("Execution failed :\r\r") + source + QStringLiteral(" -> ") + target;
}

QString missingSource(const QString& source) {
    return source + QStringLiteral(" missing or corrupted or opened for exclusive use");
}

const QString mustAssignMemo =
    QStringLiteral("Error : you must assign an exsisting TMemo to memo property,\r"
                   "before setting ShowProgressOnMemo = True");
const QString folderRecursion = QStringLiteral("ERROR : folder recursion\r\rCan't copy !");

/// A temporary root, and a component set up as the screens use it: no progress lines, every
/// error and beep recorded.
class FileCopyNewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        root = fs::path(temp.path().toStdU16String());
        copier.ShowProgressOnMemo = false;
        copier.OnError = [this](TFileCopyNew&, const QString& message) {
            errors.push_back(message);
        };
        copier.OnBeep = [this] {
            ++beeps;
        };
    }

    QTemporaryDir temp;
    fs::path root;
    TFileCopyNew copier;
    std::vector<QString> errors;
    int beeps = 0;
};

using FileCopyNewNames = FileCopyNewTest;
using FileCopyNewOneFile = FileCopyNewTest;
using FileCopyNewMaskCopy = FileCopyNewTest;
using FileCopyNewProgressLines = FileCopyNewTest;

// ---------------------------------------------------------------- names missing

struct MissingNameCase {
    const char* label;
    bool sourceSet;
    bool targetSet;
    QString expected;
};

TEST_F(FileCopyNewNames, EmptyNamesAreReportedAndNothingIsCopied) {
    const std::vector<MissingNameCase> cases = {
        {"no source", false, true, QStringLiteral("I can't copy\rSource File name missing")},
        {"no target", true, false, QStringLiteral("I can't copy\rTarget File name missing")},
        {"neither", false, false, QStringLiteral("I can't copy\rSource File name missing")},
    };
    writeFile(root / "src" / "a.txt", "abc");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        errors.clear();
        copier.SourceFile = c.sourceSet ? maskText(root / "src", "*.*") : QString();
        copier.TargetFile = c.targetSet ? folderText(root / "dst") : QString();
        copier.CopyFiles();
        EXPECT_EQ(errors, std::vector<QString>{c.expected});
        EXPECT_FALSE(fs::exists(root / "dst"));
    }
}

// ---------------------------------------------------------------- one file

TEST_F(FileCopyNewOneFile, CopiesFilesOfEverySizeByteForByteEndingProgressAt100) {
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1}, Chunk - 1, Chunk, Chunk + 1, 3 * Chunk + 123}) {
        SCOPED_TRACE(size);
        const fs::path source = root / ("in" + std::to_string(size));
        const fs::path target = root / ("out" + std::to_string(size));
        const std::string bytes = patternBytes(size);
        writeFile(source, bytes);
        std::vector<std::pair<int, int>> progress;
        copier.OnCopyProgress = [&](TFileCopyNew&, std::uint16_t read, std::uint16_t written) {
            progress.emplace_back(read, written);
        };

        EXPECT_TRUE(copier.CopyOneFile(text(source), text(target)));

        EXPECT_EQ(readFile(target), bytes);
        EXPECT_TRUE(errors.empty());
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.back(), std::make_pair(100, 100));
        for (std::size_t i = 1; i < progress.size(); ++i) {
            EXPECT_LE(progress[i - 1].first, progress[i].first);
            EXPECT_LE(progress[i - 1].second, progress[i].second);
            EXPECT_LE(progress[i].first, 100);
            EXPECT_LE(progress[i].second, 100);
        }
    }
}

TEST_F(FileCopyNewOneFile, ProgressAdvancesOneStepPerChunkAndStaysWithin100) {
    struct Case {
        std::size_t size;
        std::vector<std::pair<int, int>> expected;
    };
    const std::vector<Case> cases = {
        // Four chunks: 25% each; the closing empty read would reach 125 and is held at 100.
        {4 * Chunk,
         {{25, 0},
          {25, 25},
          {50, 25},
          {50, 50},
          {75, 50},
          {75, 75},
          {100, 75},
          {100, 100},
          {100, 100},
          {100, 100},
          {100, 100}}},
        // Two and a half chunks: 40% per full chunk; the closing empty read comes after the
        // short one.
        {5 * Chunk / 2,
         {{40, 0},
          {40, 40},
          {80, 40},
          {80, 80},
          {100, 80},
          {100, 100},
          {100, 100},
          {100, 100},
          {100, 100}}},
        // An empty file is a single empty chunk worth 100%.
        {0, {{100, 0}, {100, 100}, {100, 100}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const fs::path source = root / "in";
        writeFile(source, patternBytes(c.size));
        std::vector<std::pair<int, int>> progress;
        copier.OnCopyProgress = [&](TFileCopyNew&, std::uint16_t read, std::uint16_t written) {
            progress.emplace_back(read, written);
        };
        fs::remove(root / "out");
        ASSERT_TRUE(copier.CopyOneFile(text(source), text(root / "out")));
        EXPECT_EQ(progress, c.expected);
    }
}

TEST_F(FileCopyNewOneFile, SourceAndTargetNamingOneFileAreRefusedAndLeaveItIntact) {
    const fs::path file = root / "data" / "a.db";
    writeFile(file, "precious");
    copier.OnOverriding = [](TFileCopyNew&, bool& canOverride) {
        canOverride = true;
    };
    const std::vector<std::pair<QString, QString>> cases = {
        {text(file), text(file)},
        {text(root / "data" / "." / "a.db"), text(file)},
    };
    for (const auto& [source, target] : cases) {
        SCOPED_TRACE(source.toStdString());
        errors.clear();
        EXPECT_FALSE(copier.CopyOneFile(source, target));
        EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Error !!!\rI can't copy ") + source +
                                               QStringLiteral(" on itself")});
        EXPECT_EQ(readFile(file), "precious");
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(FileCopyNewOneFile, NamesDifferingOnlyInCaseAreDifferentFiles) {
    writeFile(root / "File.txt", "upper");
    EXPECT_TRUE(copier.CopyOneFile(text(root / "File.txt"), text(root / "file.txt")));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(readFile(root / "file.txt"), "upper");
}

TEST_F(FileCopyNewOneFile, UnopenableSourceBeepsReportsAndCreatesNoTarget) {
    fs::create_directories(root / "folder");
    fs::create_symlink(root / "nowhere", root / "dangling");
    for (const char* name : {"missing", "dangling", "folder"}) {
        SCOPED_TRACE(name);
        errors.clear();
        beeps = 0;
        const QString source = text(root / name);
        EXPECT_FALSE(copier.CopyOneFile(source, text(root / "out")));
        EXPECT_EQ(beeps, 1);
        EXPECT_EQ(errors, std::vector<QString>{missingSource(source)});
        EXPECT_FALSE(fs::exists(root / "out"));
    }
}

TEST_F(FileCopyNewOneFile, ExistingTargetIsOverwrittenOnlyWhenTheHandlerAllowsIt) {
    struct Case {
        const char* label;
        bool assignHandler;
        bool answer;
        bool overwritten;
    };
    const std::vector<Case> cases = {
        {"no handler", false, false, false},
        {"handler refuses", true, false, false},
        {"handler allows", true, true, true},
    };
    writeFile(root / "in", "new");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        // Longer than the source, so an overwrite that does not truncate shows.
        writeFile(root / "out", "old and longer");
        std::vector<bool> asked;
        copier.OnOverriding = nullptr;
        if (c.assignHandler) {
            copier.OnOverriding = [&](TFileCopyNew&, bool& canOverride) {
                asked.push_back(canOverride);
                canOverride = c.answer;
            };
        }
        EXPECT_EQ(copier.CopyOneFile(text(root / "in"), text(root / "out")), c.overwritten);
        EXPECT_EQ(readFile(root / "out"), c.overwritten ? "new" : "old and longer");
        EXPECT_TRUE(errors.empty());
        if (c.assignHandler) {
            EXPECT_EQ(asked, std::vector<bool>{false});
        }
    }
}

TEST_F(FileCopyNewOneFile, MissingTargetIsCreatedWithoutAsking) {
    writeFile(root / "in", "x");
    int asked = 0;
    copier.OnOverriding = [&](TFileCopyNew&, bool&) {
        ++asked;
    };
    EXPECT_TRUE(copier.CopyOneFile(text(root / "in"), text(root / "out")));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(readFile(root / "out"), "x");
}

TEST_F(FileCopyNewOneFile, TargetThatCannotBeCreatedIsReported) {
    writeFile(root / "in", "x");
    fs::create_directories(root / "a folder");
    copier.OnOverriding = [](TFileCopyNew&, bool& canOverride) {
        canOverride = true;
    };
    for (const fs::path& target : {root / "no such folder" / "out", root / "a folder"}) {
        SCOPED_TRACE(target.string());
        errors.clear();
        EXPECT_FALSE(copier.CopyOneFile(text(root / "in"), text(target)));
        EXPECT_EQ(errors,
                  std::vector<QString>{QStringLiteral("Error on creating ") + text(target)});
    }
    EXPECT_EQ(beeps, 0);
}

TEST_F(FileCopyNewOneFile, WriteFailureIsReported) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "needs /dev/full";
    }
    writeFile(root / "in", patternBytes(Chunk + 1));
    copier.OnOverriding = [](TFileCopyNew&, bool& canOverride) {
        canOverride = true;
    };
    EXPECT_FALSE(copier.CopyOneFile(text(root / "in"), QStringLiteral("/dev/full")));
    EXPECT_EQ(errors,
              std::vector<QString>{QStringLiteral("Write error on \r/dev/full\rCopy failed.")});
}

TEST_F(FileCopyNewOneFile, SingleFileCopyWritesItsResultToTheMemoEvenWithProgressOff) {
    writeFile(root / "in", "x");
    RecordingMemo memo;
    copier.Memo = &memo;
    copier.SourceFile = text(root / "in");
    copier.TargetFile = text(root / "out");
    copier.CopyFiles();
    copier.SourceFile = text(root / "missing");
    copier.CopyFiles();
    EXPECT_EQ(memo.lines,
              (std::vector<QString>{QStringLiteral("Ok - ") + text(root / "in"),
                                    QStringLiteral("failed - ") + text(root / "missing")}));
    EXPECT_EQ(errors,
              (std::vector<QString>{missingSource(text(root / "missing")),
                                    executionFailed(text(root / "missing"), text(root / "out"))}));
}

// ---------------------------------------------------------------- mask copy

TEST_F(FileCopyNewMaskCopy, TemplateIntoMissingTargetCreatesItAndSkipsSubfolders) {
    const fs::path source = root / "vuoto";
    writeFile(source / "ARTICOLI.DB", patternBytes(3 * Chunk + 7));
    writeFile(source / "clienti.db", "");
    writeFile(source / "LEGGIMI", "no extension");
    writeFile(source / "sub" / "inner.db", "inner");
    const fs::path target = root / "anni" / "2024";

    copier.SourceFile = maskText(source, "*.*");
    copier.TargetFile = folderText(target);
    copier.CopyFiles();

    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(tree(target), (std::set<std::string>{"ARTICOLI.DB", "clienti.db", "LEGGIMI"}));
    EXPECT_EQ(readFile(target / "ARTICOLI.DB"), readFile(source / "ARTICOLI.DB"));
    EXPECT_EQ(readFile(target / "LEGGIMI"), "no extension");
}

TEST_F(FileCopyNewMaskCopy, IncludeSubFoldersCopiesTheWholeTree) {
    const fs::path source = root / "src";
    writeFile(source / "a.txt", "a");
    writeFile(source / "sub" / "b.txt", "b");
    writeFile(source / "sub" / "deeper" / "c.txt", patternBytes(Chunk + 5));
    fs::create_directories(source / "empty");

    copier.IncludeSubFolders = true;
    copier.SourceFile = maskText(source, "*.*");
    copier.TargetFile = folderText(root / "dst");
    copier.CopyFiles();

    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(tree(root / "dst"), tree(source));
    EXPECT_EQ(readFile(root / "dst" / "sub" / "deeper" / "c.txt"), patternBytes(Chunk + 5));
}

TEST_F(FileCopyNewMaskCopy, MaskSelectsFilesByWildcardsIgnoringCase) {
    struct Case {
        QString mask;
        std::set<std::string> copied;
    };
    const std::vector<Case> cases = {
        {"*.*", {"a.txt", "abc.db", "abd.TXT", "README", ".hidden"}},
        {"*", {"a.txt", "abc.db", "abd.TXT", "README", ".hidden"}},
        {"*.txt", {"a.txt", "abd.TXT"}},
        {"ab?.*", {"abc.db", "abd.TXT"}},
        {"readme.*", {"README"}},
        {"a*", {"a.txt", "abc.db", "abd.TXT"}},
        {"?.*", {"a.txt"}},
    };
    const fs::path source = root / "src";
    for (const char* name : {"a.txt", "abc.db", "abd.TXT", "README", ".hidden"}) {
        writeFile(source / name, name);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask.toStdString());
        fs::remove_all(root / "dst");
        copier.SourceFile = maskText(source, c.mask);
        copier.TargetFile = folderText(root / "dst");
        copier.CopyFiles();
        EXPECT_TRUE(errors.empty());
        EXPECT_EQ(tree(root / "dst"), c.copied);
    }
}

TEST_F(FileCopyNewMaskCopy, SourceWithoutStarIsOneFileEvenWithQuestionMarks) {
    writeFile(root / "src" / "ab.txt", "ab");
    copier.SourceFile = folderText(root / "src") + "a?.txt";
    copier.TargetFile = folderText(root / "dst");
    copier.CopyFiles();
    EXPECT_EQ(errors,
              (std::vector<QString>{missingSource(copier.SourceFile),
                                    executionFailed(copier.SourceFile, copier.TargetFile)}));
    EXPECT_FALSE(fs::exists(root / "dst"));
}

TEST_F(FileCopyNewMaskCopy, MaskMatchingNothingSucceedsSilently) {
    writeFile(root / "src" / "a.txt", "a");
    for (const QString& source :
         {maskText(root / "src", "*.xyz"), maskText(root / "no such folder", "*.*")}) {
        SCOPED_TRACE(source.toStdString());
        copier.SourceFile = source;
        copier.TargetFile = folderText(root / "dst");
        EXPECT_TRUE(copier.CopyFolder(copier.SourceFile, copier.TargetFile));
        copier.CopyFiles();
        EXPECT_TRUE(errors.empty());
        EXPECT_EQ(beeps, 0);
        EXPECT_FALSE(fs::exists(root / "dst"));
    }
}

TEST_F(FileCopyNewMaskCopy, EmptySourceFolderStillYieldsTheTargetFolder) {
    fs::create_directories(root / "src");
    copier.SourceFile = maskText(root / "src", "*.*");
    copier.TargetFile = folderText(root / "dst" / "year");
    copier.CopyFiles();
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(fs::is_directory(root / "dst" / "year"));
}

TEST_F(FileCopyNewMaskCopy, ExistingTargetWithoutHandlerStopsTheFolderAndFailsTheCopy) {
    const fs::path source = root / "src";
    const fs::path target = root / "dst";
    const std::vector<std::string> names = {"a", "b", "c", "d", "e", "f"};
    for (const auto& name : names) {
        writeFile(source / name, "new " + name);
    }
    writeFile(target / "c", "old c");
    RecordingMemo memo;
    copier.Memo = &memo;
    copier.ShowProgressOnMemo = true;

    copier.SourceFile = maskText(source, "*.*");
    copier.TargetFile = folderText(target);
    copier.CopyFiles();

    EXPECT_EQ(errors, std::vector<QString>{executionFailed(copier.SourceFile, copier.TargetFile)});
    EXPECT_EQ(readFile(target / "c"), "old c");
    // Whatever the listing order: some files copied, then the refusal, then nothing more.
    ASSERT_FALSE(memo.lines.empty());
    EXPECT_EQ(memo.lines.back(), QStringLiteral("failed - ") + text(source / "c"));
    std::set<std::string> expectedTree = {"c"};
    for (std::size_t i = 0; i + 1 < memo.lines.size(); ++i) {
        const QString& line = memo.lines[i];
        ASSERT_TRUE(line.startsWith(QStringLiteral("Ok - ") + folderText(source)))
            << line.toStdString();
        const std::string name = line.mid(5 + folderText(source).size()).toStdString();
        expectedTree.insert(name);
        EXPECT_EQ(readFile(target / name), "new " + name);
    }
    EXPECT_EQ(tree(target), expectedTree);
}

TEST_F(FileCopyNewMaskCopy, FailingSubfolderDoesNotFailTheOuterCopy) {
    const fs::path source = root / "src";
    writeFile(source / "a.txt", "a");
    writeFile(source / "sub" / "b.txt", "new b");
    writeFile(root / "dst" / "sub" / "b.txt", "old b");

    copier.IncludeSubFolders = true;
    copier.SourceFile = maskText(source, "*.*");
    copier.TargetFile = folderText(root / "dst");
    copier.CopyFiles();

    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(readFile(root / "dst" / "a.txt"), "a");
    EXPECT_EQ(readFile(root / "dst" / "sub" / "b.txt"), "old b");
}

TEST_F(FileCopyNewMaskCopy, UnreadableFileInFolderBeepsAndFailsTheCopy) {
    const fs::path source = root / "src";
    fs::create_directories(source);
    fs::create_symlink(root / "nowhere", source / "ARCHIVIO.DB");

    copier.SourceFile = maskText(source, "*.*");
    copier.TargetFile = folderText(root / "dst");
    copier.CopyFiles();

    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(errors,
              (std::vector<QString>{missingSource(folderText(source) + "ARCHIVIO.DB"),
                                    executionFailed(copier.SourceFile, copier.TargetFile)}));
    EXPECT_EQ(tree(root / "dst"), std::set<std::string>{});
}

TEST_F(FileCopyNewMaskCopy, TargetInsideSourceIsFolderRecursionWithSubfolders) {
    const fs::path source = root / "src";
    writeFile(source / "one" / "x.txt", "x");
    writeFile(source / "two" / "y.txt", "y");
    const fs::path target = source / "copy";

    copier.IncludeSubFolders = true;
    copier.SourceFile = maskText(source, "*.*");
    copier.TargetFile = folderText(target);
    copier.CopyFiles();

    EXPECT_EQ(errors, (std::vector<QString>{
                          folderRecursion, executionFailed(copier.SourceFile, copier.TargetFile)}));
    EXPECT_EQ(tree(target), std::set<std::string>{});
    EXPECT_EQ(tree(source),
              (std::set<std::string>{"copy/", "one/", "one/x.txt", "two/", "two/y.txt"}));
}

TEST_F(FileCopyNewMaskCopy, RecursionTestOnlyFiresForSubfoldersOfATargetInsideTheSource) {
    struct Case {
        const char* label;
        fs::path target;
        bool includeSubFolders;
        std::set<std::string> copied;
    };
    const fs::path source = root / "a";
    const std::vector<Case> cases = {
        // "…/a/" is a prefix of "…/ab" but not of "…/ab/": a sibling, not a subfolder.
        {"sibling sharing a prefix", root / "ab", true, {"f.txt", "sub/", "sub/g.txt"}},
        {"inside, files only", source / "copy", false, {"f.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove_all(source);
        writeFile(source / "f.txt", "f");
        writeFile(source / "sub" / "g.txt", "g");
        copier.IncludeSubFolders = c.includeSubFolders;
        copier.SourceFile = maskText(source, "*.*");
        copier.TargetFile = folderText(c.target);
        copier.CopyFiles();
        EXPECT_TRUE(errors.empty());
        EXPECT_EQ(tree(c.target), c.copied);
    }
}

// ---------------------------------------------------------------- progress lines

TEST_F(FileCopyNewProgressLines, ProgressOnMemoWithoutMemoReportsOncePerCopiedFile) {
    const fs::path source = root / "src";
    for (const char* name : {"a", "b", "c"}) {
        writeFile(source / name, name);
    }
    TFileCopyNew defaults; // as constructed: progress lines on, no Memo
    defaults.OnError = [this](TFileCopyNew&, const QString& message) {
        errors.push_back(message);
    };
    defaults.SourceFile = maskText(source, "*.*");
    defaults.TargetFile = folderText(root / "dst");
    defaults.CopyFiles();

    EXPECT_EQ(errors, std::vector<QString>(3, mustAssignMemo));
    EXPECT_EQ(tree(root / "dst"), (std::set<std::string>{"a", "b", "c"}));
}

TEST_F(FileCopyNewProgressLines, MaskCopyLinesFollowShowProgressOnMemo) {
    const fs::path source = root / "src";
    writeFile(source / "a", "a");
    writeFile(source / "b", "b");
    for (const bool show : {true, false}) {
        SCOPED_TRACE(show);
        fs::remove_all(root / "dst");
        RecordingMemo memo;
        copier.Memo = &memo;
        copier.ShowProgressOnMemo = show;
        copier.SourceFile = maskText(source, "*.*");
        copier.TargetFile = folderText(root / "dst");
        copier.CopyFiles();
        const std::set<QString> lines(memo.lines.begin(), memo.lines.end());
        const std::set<QString> expected =
            show ? std::set<QString>{QStringLiteral("Ok - ") + text(source / "a"),
                                     QStringLiteral("Ok - ") + text(source / "b")}
                 : std::set<QString>{};
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(memo.lines.size(), expected.size());
        EXPECT_TRUE(errors.empty());
    }
}

} // namespace
