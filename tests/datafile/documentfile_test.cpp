#include "datafile/documentfile.h"
#include "datafile/variablesarchive.h"
#include "tests/support/bytes.h"
#include "tests/support/casename.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string fifteenBytes = bytes(
    {0x01, 0x00, 0x00, 0x00, 0x01, 0x78, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F, 0x00});

// A fresh directory per test, removed afterwards whatever its mode.
class TemporaryDirectory {
public:
    TemporaryDirectory()
    {
        m_path = fs::temp_directory_path() / ("orrin-doc-" + std::to_string(std::random_device{}()));
        if (!fs::create_directory(m_path))
            throw std::runtime_error("no fresh directory");
    }
    ~TemporaryDirectory()
    {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(m_path, ignored))
            if (entry.is_directory(ignored))
                fs::permissions(entry.path(), fs::perms::owner_all, ignored);
        fs::permissions(m_path, fs::perms::owner_all, ignored);
        fs::remove_all(m_path, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const fs::path& path() const { return m_path; }

    std::set<std::string> names() const
    {
        std::set<std::string> result;
        for (const auto& entry : fs::directory_iterator(m_path))
            result.insert(entry.path().filename().string());
        return result;
    }

private:
    fs::path m_path;
};

void writeFile(const fs::path& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::function<void(Archive&)> variablesOf(Calculator<double>& calculator)
{
    return [&calculator](Archive& archive) { serializeVariables(archive, calculator); };
}

#if !defined(_WIN32)
// Runs `body` in a child process, so that it may drop privileges or lower
// resource limits without touching the test process, and returns its exit
// status (or -1 when it did not exit normally).
int exitStatusOfChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Root ignores directory permissions: the child then acts as "nobody".
bool becomeUnprivileged()
{
    if (::geteuid() != 0)
        return true;
    return ::setgid(65534) == 0 && ::setuid(65534) == 0;
}
#endif

struct OpenCase {
    const char* name;
    std::optional<std::string> contents;  // none: no file at all
    DocumentStatus expected;
    std::size_t variablesAfter;
};
ORRIN_PRINT_CASE_BY_NAME(OpenCase)

class OpenDocument : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenDocument, ReportsStatusAndKeepsWhatWasRead)
{
    TemporaryDirectory dir;
    const fs::path file = dir.path() / "Orrin.dat";
    if (GetParam().contents)
        writeFile(file, *GetParam().contents);
    Calculator<double> calculator;
    calculator.setVariable("before", Variable{1, ""});
    EXPECT_EQ(openDocument(file.string(), variablesOf(calculator)), GetParam().expected);
    EXPECT_EQ(calculator.variables.size(), GetParam().variablesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenDocument,
    ::testing::Values(
        // The store is left alone when nothing is read.
        OpenCase{"missing_file", std::nullopt, DocumentStatus::CannotOpen, 1},
        OpenCase{"empty_file", "", DocumentStatus::Ok, 1},
        OpenCase{"one_variable", fifteenBytes, DocumentStatus::Ok, 1},
        OpenCase{"three_bytes", bytes({0x01, 0x00, 0x00}), DocumentStatus::BadFormat, 0},
        OpenCase{"second_record_cut", littleEndian32(2) + fifteenBytes.substr(4) + bytes({0x01, 'y'}),
                 DocumentStatus::BadFormat, 1},
        OpenCase{"control_bytes_in_value",
                 fifteenBytes.substr(0, 6) + bytes({0x0D, 0x0A, 0x1A, 0, 0, 0, 0xF8, 0x3F, 0}), DocumentStatus::Ok, 1},
        OpenCase{"negative_count", littleEndian32(0x80000000) + fifteenBytes.substr(4), DocumentStatus::Ok, 0}),
    caseName);

TEST(OpenDocumentFile, LoadsTheRecordsOfTheFile)
{
    TemporaryDirectory dir;
    writeFile(dir.path() / "Orrin.dat", fifteenBytes);
    Calculator<double> calculator;
    ASSERT_EQ(openDocument((dir.path() / "Orrin.dat").string(), variablesOf(calculator)), DocumentStatus::Ok);
    EXPECT_EQ(calculator.calculate("x*2", 0), "3");
}

TEST(OpenDocumentFile, DirectoryCannotBeOpened)
{
    TemporaryDirectory dir;
    bool called = false;
    EXPECT_EQ(openDocument(dir.path().string(), [&](Archive&) { called = true; }), DocumentStatus::CannotOpen);
    EXPECT_FALSE(called);
}

TEST(OpenDocumentFile, EmptyFileDoesNotCallSerialize)
{
    TemporaryDirectory dir;
    writeFile(dir.path() / "Orrin.dat", "");
    bool called = false;
    EXPECT_EQ(openDocument((dir.path() / "Orrin.dat").string(), [&](Archive&) { called = true; }), DocumentStatus::Ok);
    EXPECT_FALSE(called);
}

class SaveDocument : public ::testing::Test {
protected:
#if !defined(_WIN32)
    void SetUp() override
    {
        m_oldUmask = ::umask(022);
    }
    void TearDown() override
    {
        ::umask(m_oldUmask);
    }
#endif

    TemporaryDirectory dir;
    fs::path file = dir.path() / "Orrin.dat";
    Calculator<double> calculator;

#if !defined(_WIN32)
private:
    mode_t m_oldUmask = 0;
#endif
};

TEST_F(SaveDocument, CreatesFileWithStoreContentsAndUmaskMode)
{
    calculator.setVariable("x", Variable{1.5, ""});
    ASSERT_EQ(saveDocument(file.string(), variablesOf(calculator)), DocumentStatus::Ok);
    EXPECT_EQ(hex(readFile(file)), hex(fifteenBytes));
#if !defined(_WIN32)
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
#endif
    EXPECT_EQ(dir.names(), std::set<std::string>{"Orrin.dat"});
}

TEST_F(SaveDocument, EmptyStoreWritesZeroCount)
{
    ASSERT_EQ(saveDocument(file.string(), variablesOf(calculator)), DocumentStatus::Ok);
    EXPECT_EQ(hex(readFile(file)), hex(bytes({0, 0, 0, 0})));
}

TEST_F(SaveDocument, ReplacesOldFileAndKeepsItsPermissions)
{
    writeFile(file, std::string(100, 'o'));
#if !defined(_WIN32)
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
#endif
    calculator.setVariable("x", Variable{1.5, ""});
    ASSERT_EQ(saveDocument(file.string(), variablesOf(calculator)), DocumentStatus::Ok);
    EXPECT_EQ(hex(readFile(file)), hex(fifteenBytes));
#if !defined(_WIN32)
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
    EXPECT_EQ(dir.names(), std::set<std::string>{"Orrin.dat"});
}

#if !defined(_WIN32)
TEST_F(SaveDocument, SymbolicLinkSurvivesAndItsTargetIsReplaced)
{
    const fs::path target = dir.path() / "kept-elsewhere.dat";
    writeFile(target, std::string(100, 'o'));
    fs::create_symlink(target, file);
    calculator.setVariable("x", Variable{1.5, ""});
    ASSERT_EQ(saveDocument(file.string(), variablesOf(calculator)), DocumentStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(hex(readFile(target)), hex(fifteenBytes));
    EXPECT_EQ(dir.names(), (std::set<std::string>{"Orrin.dat", "kept-elsewhere.dat"}));
}
#endif

TEST_F(SaveDocument, SavedFileOpensToTheSameStore)
{
    calculator.setVariable("A", Variable{-0.0, bytes({0x83, 0x81})});
    calculator.setVariable("b", Variable{1e300, "big"});
    ASSERT_EQ(saveDocument(file.string(), variablesOf(calculator)), DocumentStatus::Ok);
    Calculator<double> reloaded;
    ASSERT_EQ(openDocument(file.string(), variablesOf(reloaded)), DocumentStatus::Ok);
    EXPECT_EQ(reloaded.calculate("b/1e299", 0), "10");
    EXPECT_EQ(reloaded.variables.at("A").description, bytes({0x83, 0x81}));
    EXPECT_TRUE(std::signbit(reloaded.variables.at("A").value));
}

TEST_F(SaveDocument, MissingDirectoryCannotSave)
{
    EXPECT_EQ(saveDocument((dir.path() / "gone" / "Orrin.dat").string(), variablesOf(calculator)),
              DocumentStatus::CannotSave);
    EXPECT_TRUE(dir.names().empty());
}

TEST_F(SaveDocument, DirectoryInTheWayCannotSaveAndLeavesNoTemporary)
{
    fs::create_directory(file);
    writeFile(file / "inside", "x");
    EXPECT_EQ(saveDocument(file.string(), variablesOf(calculator)), DocumentStatus::CannotSave);
    EXPECT_EQ(dir.names(), std::set<std::string>{"Orrin.dat"});
    EXPECT_TRUE(fs::is_directory(file));
}

TEST_F(SaveDocument, ArchiveErrorWhileStoringLeavesOldFile)
{
    writeFile(file, fifteenBytes);
    EXPECT_EQ(saveDocument(file.string(),
                           [](Archive& archive) {
                               archive.writeUInt32(7);
                               throw ArchiveError("cannot store");
                           }),
              DocumentStatus::CannotSave);
    EXPECT_EQ(hex(readFile(file)), hex(fifteenBytes));
    EXPECT_EQ(dir.names(), std::set<std::string>{"Orrin.dat"});
}

#if !defined(_WIN32)
TEST_F(SaveDocument, ReadOnlyDirectoryCannotSaveAndLeavesOldFile)
{
    writeFile(file, fifteenBytes);
    fs::permissions(dir.path(),
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    calculator.setVariable("y", Variable{2, "new"});
    const int status = exitStatusOfChild([&] {
        if (!becomeUnprivileged())
            return 100;
        return static_cast<int>(saveDocument(file.string(), variablesOf(calculator)));
    });
    EXPECT_EQ(status, static_cast<int>(DocumentStatus::CannotSave));
    EXPECT_EQ(hex(readFile(file)), hex(fifteenBytes));
    EXPECT_EQ(dir.names(), std::set<std::string>{"Orrin.dat"});
}

// A write that fails halfway, as on a full disk: the file size limit stops
// the temporary file after 1024 bytes.
TEST_F(SaveDocument, WriteFailureLeavesOldFileWholeAndNoTemporary)
{
    writeFile(file, fifteenBytes);
    calculator.setVariable("long", Variable{1, std::string(100000, 'd')});
    const int status = exitStatusOfChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 100;
        return static_cast<int>(saveDocument(file.string(), variablesOf(calculator)));
    });
    EXPECT_EQ(status, static_cast<int>(DocumentStatus::CannotSave));
    EXPECT_EQ(hex(readFile(file)), hex(fifteenBytes));
    EXPECT_EQ(dir.names(), std::set<std::string>{"Orrin.dat"});
}
#endif

TEST_F(SaveDocument, BarePathSavesInCurrentDirectory)
{
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    calculator.setVariable("x", Variable{1.5, ""});
    const DocumentStatus status = saveDocument("Orrin.dat", variablesOf(calculator));
    fs::current_path(previous);
    EXPECT_EQ(status, DocumentStatus::Ok);
    EXPECT_EQ(hex(readFile(file)), hex(fifteenBytes));
    EXPECT_EQ(dir.names(), std::set<std::string>{"Orrin.dat"});
}

}  // namespace
