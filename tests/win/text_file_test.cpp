// The text file and the file classes under Windows: bytes of every mode, creation failures by cause, and
// failures while writing (a full disk, memory exhausted in a conversion).
#include <windows.h>

#include <cstdlib>
#include <gtest/gtest.h>

#include "DataTable.h"
#include "FailingCalloc.h"
#include "TempFiles.h"
#include "TextFile.h"

using zvt::test::Bytes;
using zvt::test::ReadBytes;
using zvt::test::ToBytes;

namespace
{

class TextFileTest : public testing::Test
{
protected:
    // Writes text in mode to a fresh file; returns the file's bytes and what WriteText returned.
    Bytes Written(std::int32_t mode, const char* text, std::int32_t* handedOver = nullptr)
    {
        const std::wstring path = m_directory.Path(L"text.txt");
        CTextFile file;
        EXPECT_EQ(file.OpenForWrite(path.c_str(), mode), 0);
        const std::int32_t written = file.WriteText(text);
        if (handedOver != nullptr)
        {
            *handedOver = written;
        }
        EXPECT_EQ(file.Close(), 0);
        return ReadBytes(path);
    }

    zvt::test::CTempDirectory m_directory;
};

} // namespace

TEST_F(TextFileTest, EveryModeByteForByte)
{
    std::int32_t written = -1;
    EXPECT_EQ(Written(0, "abc", &written), ToBytes("abc"));
    EXPECT_EQ(written, 3);
    EXPECT_EQ(Written(1, "abc", &written), (Bytes{0xEF, 0xBB, 0xBF, 0x61, 0x62, 0x63}));
    EXPECT_EQ(written, 3); // the mark is not counted
    EXPECT_EQ(Written(0x101, "abc"), ToBytes("abc"));
    EXPECT_EQ(Written(0x201, "abc"), (Bytes{0xEF, 0xBB, 0xBF, 0x61, 0x62, 0x63}));
    EXPECT_EQ(Written(2, "ab", &written), (Bytes{0xFE, 0xFF, 0x00, 0x61, 0x00, 0x62}));
    EXPECT_EQ(written, 4);
    EXPECT_EQ(Written(0x102, "ab"), (Bytes{0x00, 0x61, 0x00, 0x62}));
    EXPECT_EQ(Written(3, "ab"), (Bytes{0xFF, 0xFE, 0x61, 0x00, 0x62, 0x00}));
    EXPECT_EQ(Written(0x103, "ab"), (Bytes{0x61, 0x00, 0x62, 0x00}));
    EXPECT_EQ(Written(5, "abc", &written), Bytes{});
    EXPECT_EQ(written, 0);
    EXPECT_EQ(Written(6, "4142", &written), (Bytes{0x41, 0x42}));
    EXPECT_EQ(written, 2);
    EXPECT_EQ(Written(6, "41004142"), (Bytes{0x41}));
    EXPECT_EQ(Written(6, "414"), (Bytes{0x41, 0x40}));
    EXPECT_EQ(Written(1, "", &written), (Bytes{0xEF, 0xBB, 0xBF})); // the mark comes with the file
    EXPECT_EQ(written, 0);
}

// A whole report in every mode against the reviewed bytes of tests/data/reports/modes.tsv, which were
// made without this code.
TEST_F(TextFileTest, ReviewedReportInEveryMode)
{
    const std::string reports = ZVT_TEST_DATA "/reports/";
    const auto bytesOf = [&reports](const std::string& name) {
        const std::string path = reports + name;
        return ReadBytes(std::wstring(path.begin(), path.end()));
    };
    const Bytes ansi = bytesOf("qemu-Haswell-2394.5MHz.txt");
    ASSERT_GT(ansi.size(), 7000u);
    const std::string text(ansi.begin(), ansi.end());
    for (const zvt::test::TableRow& row : zvt::test::ReadTable(reports + "modes.tsv"))
    {
        const auto mode = static_cast<std::int32_t>(std::stol(row.at("mode"), nullptr, 0));
        EXPECT_EQ(Written(mode, text.c_str()), bytesOf(row.at("file"))) << "mode " << row.at("mode");
    }
}

TEST_F(TextFileTest, TextsLongerThanTheArchiveBufferArriveWhole)
{
    std::string text;
    for (int i = 0; i < 10000; ++i)
    {
        text += static_cast<char>('A' + i % 26);
    }
    EXPECT_EQ(Written(0, text.c_str()), ToBytes(text));
    const Bytes little = Written(0x103, text.c_str());
    ASSERT_EQ(little.size(), 2 * text.size());
    EXPECT_EQ(little[2 * 9999], 'A' + 9999 % 26);
}

TEST_F(TextFileTest, StateAfterOpenAndClose)
{
    CTextFile file;
    EXPECT_EQ(file.m_nEncoding, 255);
    EXPECT_EQ(file.m_nReadExtra, 2);
    EXPECT_EQ(file.Close(), 0); // nothing open

    ASSERT_EQ(file.OpenForWrite(m_directory.Path(L"a.txt").c_str(), 0x102), 0);
    EXPECT_EQ(file.m_nEncoding, 2);
    EXPECT_FALSE(file.m_bWriteBom);
    ASSERT_NE(file.m_pArchive, nullptr);
    EXPECT_TRUE(file.m_pArchive->IsStoring());
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.m_nEncoding, 255);
    EXPECT_EQ(file.m_pArchive, nullptr);

    // An unsupported encoding opens the archive for loading, with a read buffer of the length and 2.
    ASSERT_EQ(file.OpenForWrite(m_directory.Path(L"b.txt").c_str(), 0x105), 0);
    EXPECT_EQ(file.m_nEncoding, 255);
    EXPECT_TRUE(file.m_pArchive->IsLoading());
    EXPECT_NE(file.m_pReadBuffer, nullptr);
    EXPECT_EQ(file.m_nReadSize, 2);
    EXPECT_EQ(file.WriteText("abc"), 0);
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.m_pReadBuffer, nullptr);
    EXPECT_EQ(file.m_nReadSize, 0);
}

TEST_F(TextFileTest, ExistingFileIsTruncated)
{
    const std::wstring path = m_directory.Path(L"text.txt");
    zvt::test::WriteBytes(path, Bytes(10000, 'x'));
    EXPECT_EQ(Written(0, "abc"), ToBytes("abc"));
}

TEST_F(TextFileTest, CreationFailuresGiveTheirCause)
{
    CTextFile file;
    const std::wstring missing = m_directory.Path(L"missing\\text.txt");
    EXPECT_EQ(file.OpenForWrite(missing.c_str(), 1), CFileException::badPath);
    EXPECT_FALSE(zvt::test::FileExists(missing));
    EXPECT_EQ(file.m_pArchive, nullptr);
    EXPECT_EQ(file.WriteText("abc"), 0); // nothing open: nothing happens
    EXPECT_EQ(file.Close(), 0);

    const std::wstring held = m_directory.Path(L"held.txt");
    HANDLE other = CreateFileW(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(file.OpenForWrite(held.c_str(), 0), CFileException::sharingViolation);
    CloseHandle(other);
    EXPECT_EQ(file.OpenForWrite(held.c_str(), 0), 0); // free again
    EXPECT_EQ(file.Close(), 0);
}

TEST(FileException, CausesOfWin32Errors)
{
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND), CFileException::badPath);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_ACCESS_DENIED), CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_SHARING_VIOLATION), CFileException::sharingViolation);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_DISK_FULL), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_DEV_NOT_EXIST), CFileException::hardIO);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_NOT_ENOUGH_MEMORY), CFileException::genericException);
    EXPECT_EQ(CFileException::OsErrorToException(0xDEADBEEF), CFileException::genericException);
}

TEST(Archive, KeepsTheFirstFailureAndRefusesAfterIt)
{
    zvt::test::CTempDirectory directory;
    const std::wstring path = directory.Path(L"read-only-handle.txt");
    zvt::test::WriteBytes(path, Bytes{});
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
    CArchive archive(&file, CArchive::store);
    const Bytes block(CArchive::kBufferSize, 'x');
    EXPECT_TRUE(archive.Write(block.data(), CArchive::kBufferSize)); // fits in the buffer
    EXPECT_FALSE(archive.Write(block.data(), 1));                    // the flush to a read handle fails
    EXPECT_EQ(archive.GetError(), CFileException::accessDenied);
    EXPECT_FALSE(archive.Write(block.data(), 1));
    EXPECT_FALSE(archive.Close());
    EXPECT_EQ(archive.GetError(), CFileException::accessDenied);
}

TEST(Archive, ReadsBackInPieces)
{
    zvt::test::CTempDirectory directory;
    const std::wstring path = directory.Path(L"data.bin");
    Bytes data(10000);
    for (std::size_t i = 0; i < data.size(); ++i)
    {
        data[i] = static_cast<std::uint8_t>(i * 7);
    }
    zvt::test::WriteBytes(path, data);
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    CArchive archive(&file, CArchive::load);
    Bytes back(data.size() + 10);
    EXPECT_EQ(archive.Read(back.data(), 3), 3u);
    EXPECT_EQ(archive.Read(back.data() + 3, 9000), 9000u);
    EXPECT_EQ(archive.Read(back.data() + 9003, 1000), 997u); // the end of the file
    back.resize(data.size());
    EXPECT_EQ(back, data);
    EXPECT_FALSE(archive.Write(data.data(), 1));
}

TEST_F(TextFileTest, MemoryExhaustedInAConversionIsReportedByClose)
{
    const std::wstring path = m_directory.Path(L"text.txt");
    for (const std::int32_t mode : {0, 1, 3, 6})
    {
        CTextFile file;
        ASSERT_EQ(file.OpenForWrite(path.c_str(), mode), 0);
        g_bFailCalloc = true;
        const std::int32_t written = file.WriteText("4142");
        g_bFailCalloc = false;
        EXPECT_EQ(written, 0) << mode;
        EXPECT_EQ(file.Close(), CFileException::genericException) << mode;
        EXPECT_EQ(file.Close(), 0) << mode;                          // reported once
        EXPECT_EQ(file.OpenForWrite(path.c_str(), mode), 0) << mode; // and forgotten by the next file
        EXPECT_GT(file.WriteText("4142"), 0) << mode;
        EXPECT_EQ(file.Close(), 0) << mode;
    }
}

TEST_F(TextFileTest, FullDiskIsReportedByClose)
{
    // Wine's Z: drive reaches /dev/full, where every write fails with "no space left".
    if (!zvt::test::OpensForWriting(L"Z:\\dev\\full"))
    {
        GTEST_SKIP() << "no Z:\\dev\\full here";
    }
    CTextFile file;
    ASSERT_EQ(file.OpenForWrite(L"Z:\\dev\\full", 3), 0);
    EXPECT_EQ(file.WriteText("abc"), 6); // handed to the archive's buffer
    EXPECT_EQ(file.Close(), CFileException::diskFull);
    EXPECT_EQ(file.m_pArchive, nullptr);
    EXPECT_EQ(file.m_nEncoding, 255);
}
