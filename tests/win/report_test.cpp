// The identity report through the export, as a caller sees it: loaded and bound by name. These check the
// plumbing: the file holds the library's report of the record the same call returned, in the library's
// encoding of the mode. The report text itself is checked against reviewed reports by the native tests, and
// the encodings against reviewed bytes in text_file_test.
#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <thread>

#include "ReportText.h"
#include "Sentinel.h"
#include "TempFiles.h"
#include "TextFile.h"
#include "ZavsysLibrary.h"
#include "zavsys.h"

using zvt::test::Bytes;
using zvt::test::FileExists;
using zvt::test::kSentinel;
using zvt::test::ReadBytes;

namespace
{

class ReportTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pLibrary = std::make_unique<zvt::CZavsysLibrary>();
        ASSERT_TRUE(s_pLibrary->IsComplete());
        s_pfnGetIdentity = s_pLibrary->m_pfnGetIdentity;
    }
    static void TearDownTestSuite()
    {
        s_pLibrary.reset();
    }

    struct Outcome
    {
        std::int32_t result;
        ZVT_CPU_IDENTITY identity;
    };

    static Outcome Report(const std::wstring& path, std::int32_t mode, std::int32_t measureMs = 0)
    {
        Outcome outcome{};
        zvt::test::FillSentinel(&outcome.identity, sizeof outcome.identity);
        outcome.identity.size = ZVT_IDENTITY_SIZE;
        outcome.result = s_pfnGetIdentity(&outcome.identity, measureMs, path.c_str(), mode);
        return outcome;
    }

    static std::string ExpectedText(const ZVT_CPU_IDENTITY& identity)
    {
        std::string text(zvt::kReportCapacity, '\0');
        text.resize(zvt::BuildReport(identity, text.data(), text.size()));
        return text;
    }

    // The text as the library's text file writes it in mode.
    Bytes Encoded(const std::string& text, std::int32_t mode) const
    {
        const std::wstring path = m_directory.Path(L"expected.bin");
        CTextFile file;
        EXPECT_EQ(file.OpenForWrite(path.c_str(), mode), 0);
        file.WriteText(text.c_str());
        EXPECT_EQ(file.Close(), 0);
        return ReadBytes(path);
    }

    static inline std::unique_ptr<zvt::CZavsysLibrary> s_pLibrary;
    static inline PFN_zvtGetIdentity s_pfnGetIdentity = nullptr;
    zvt::test::CTempDirectory m_directory;
};

} // namespace

TEST_F(ReportTest, EveryEncodingHoldsTheReportOfTheReturnedRecord)
{
    for (const std::int32_t mode : {0, 1, 0x101, 0x201, 2, 0x102, 3, 0x103, 6})
    {
        const std::wstring path = m_directory.Path(L"report-" + std::to_wstring(mode) + L".txt");
        const Outcome outcome = Report(path, mode);
        ASSERT_EQ(outcome.result, ZVT_OK) << mode;
        EXPECT_EQ(outcome.identity.frequency, 0.0f);
        const std::string text = ExpectedText(outcome.identity);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n"); // no frequency line without a measurement
        EXPECT_EQ(ReadBytes(path), Encoded(text, mode)) << mode;
    }
}

TEST_F(ReportTest, MeasuredFrequencyEndsTheReport)
{
    const std::wstring path = m_directory.Path(L"measured.txt");
    const Outcome outcome = Report(path, 0, 20);
    ASSERT_EQ(outcome.result, ZVT_OK);
    ASSERT_GE(outcome.identity.frequency, 1.0f);
    const std::string text = ExpectedText(outcome.identity);
    EXPECT_NE(text.find("\r\n\nFrequency : "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 3), "MHz");
    EXPECT_EQ(ReadBytes(path), Encoded(text, 0));
}

TEST_F(ReportTest, UnsupportedEncodingLeavesAnEmptyFile)
{
    const std::wstring path = m_directory.Path(L"mode5.txt");
    zvt::test::WriteBytes(path, Bytes(100, 'x'));
    const Outcome outcome = Report(path, 5);
    EXPECT_EQ(outcome.result, ZVT_E_REPORT_EMPTY);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadBytes(path), Bytes{});
    EXPECT_EQ(outcome.identity.size, ZVT_IDENTITY_SIZE); // the record was still written
    EXPECT_NE(outcome.identity.basic[0].ebx, kSentinel);
}

TEST_F(ReportTest, ExistingFileIsReplaced)
{
    const std::wstring path = m_directory.Path(L"old.txt");
    zvt::test::WriteBytes(path, Bytes(20000, 'x'));
    const Outcome outcome = Report(path, 0x103);
    ASSERT_EQ(outcome.result, ZVT_OK);
    EXPECT_EQ(ReadBytes(path), Encoded(ExpectedText(outcome.identity), 0x103));
}

TEST_F(ReportTest, FilesThatCannotBeCreatedGiveTheirCause)
{
    const std::wstring missing = m_directory.Path(L"no-such-directory\\report.txt");
    Outcome outcome = Report(missing, 1);
    EXPECT_EQ(outcome.result, ZVT_REPORT_BAD_PATH);
    EXPECT_FALSE(FileExists(missing));
    EXPECT_NE(outcome.identity.basic[0].ebx, kSentinel); // the record is written before the report

    const std::wstring held = m_directory.Path(L"held.txt");
    HANDLE other = CreateFileW(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Report(held, 0).result, ZVT_REPORT_SHARING);
    CloseHandle(other);

    const std::wstring directory = m_directory.Path(L"a-directory");
    ASSERT_TRUE(CreateDirectoryW(directory.c_str(), nullptr));
    EXPECT_EQ(Report(directory, 0).result, ZVT_REPORT_ACCESS_DENIED);

    const std::wstring readOnly = m_directory.Path(L"read-only.txt");
    zvt::test::WriteBytes(readOnly, Bytes{'k', 'e', 'e', 'p'});
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    if (zvt::test::ReadOnlyIsEnforced(m_directory.Directory()))
    {
        EXPECT_EQ(Report(readOnly, 0).result, ZVT_REPORT_ACCESS_DENIED);
        EXPECT_EQ(ReadBytes(readOnly), (Bytes{'k', 'e', 'e', 'p'}));
    }

    // After all that, a report still works.
    const std::wstring path = m_directory.Path(L"after.txt");
    outcome = Report(path, 0);
    ASSERT_EQ(outcome.result, ZVT_OK);
    EXPECT_EQ(ReadBytes(path), Encoded(ExpectedText(outcome.identity), 0));
}

TEST_F(ReportTest, FullDiskIsAFailureWithTheRecordKept)
{
    if (!zvt::test::OpensForWriting(L"Z:\\dev\\full"))
    {
        GTEST_SKIP() << "no Z:\\dev\\full here";
    }
    const Outcome outcome = Report(L"Z:\\dev\\full", 2);
    EXPECT_EQ(outcome.result, ZVT_REPORT_DISK_FULL);
    EXPECT_NE(outcome.identity.basic[0].ebx, kSentinel);
    // The library is not left holding the file: the next report works.
    const std::wstring path = m_directory.Path(L"after-full.txt");
    EXPECT_EQ(Report(path, 2).result, ZVT_OK);
}

TEST_F(ReportTest, TwoReportsInARow)
{
    const std::wstring first = m_directory.Path(L"first.txt");
    const std::wstring second = m_directory.Path(L"second.txt");
    const Outcome one = Report(first, 1);
    const Outcome two = Report(second, 0x102);
    ASSERT_EQ(one.result, ZVT_OK);
    ASSERT_EQ(two.result, ZVT_OK);
    EXPECT_EQ(ReadBytes(first), Encoded(ExpectedText(one.identity), 1));
    EXPECT_EQ(ReadBytes(second), Encoded(ExpectedText(two.identity), 0x102));
}

TEST_F(ReportTest, ReportWithoutARecord)
{
    const std::wstring path = m_directory.Path(L"no-record.txt");
    EXPECT_EQ(s_pfnGetIdentity(nullptr, 0, path.c_str(), 0), ZVT_OK);
    const Bytes bytes = ReadBytes(path);
    EXPECT_GT(bytes.size(), 2u * (49 + 64 * 57));
}

TEST_F(ReportTest, ReportsAskedForAtOnceAreEachComplete)
{
    constexpr int kThreads = 4;
    constexpr int kReportsEach = 5;
    const std::int32_t modes[kThreads] = {0, 1, 0x102, 3};
    Outcome outcomes[kThreads][kReportsEach];
    std::thread threads[kThreads];
    for (int t = 0; t < kThreads; ++t)
    {
        threads[t] = std::thread([&, t] {
            for (int r = 0; r < kReportsEach; ++r)
            {
                const std::wstring path =
                    m_directory.Path(L"t" + std::to_wstring(t) + L"-" + std::to_wstring(r));
                outcomes[t][r] = Report(path, modes[t]);
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    for (int t = 0; t < kThreads; ++t)
    {
        for (int r = 0; r < kReportsEach; ++r)
        {
            const std::wstring path = m_directory.Path(L"t" + std::to_wstring(t) + L"-" + std::to_wstring(r));
            ASSERT_EQ(outcomes[t][r].result, ZVT_OK) << t << "/" << r;
            EXPECT_EQ(ReadBytes(path), Encoded(ExpectedText(outcomes[t][r].identity), modes[t]))
                << t << "/" << r;
        }
    }
}
