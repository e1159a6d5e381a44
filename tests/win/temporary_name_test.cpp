// zvtGetTemporaryFileName: each test points TMP at a private directory, so it can see exactly which
// files a call creates or leaves behind.
#include <windows.h>

#include <cwctype>
#include <gtest/gtest.h>
#include <set>
#include <thread>

#include "Sentinel.h"
#include "SystemTestSupport.h"
#include "TempFiles.h"
#include "ZavsysLibrary.h"

namespace
{
using zvt::test::CScopedVariable;
using zvt::test::FillSentinel;
using zvt::test::IsSentinel;

class TemporaryName : public ::testing::Test
{
protected:
    // A name created with the prefix, or an empty string when the call failed.
    std::wstring Create(const wchar_t* prefix, std::int32_t longName = 0) const
    {
        wchar_t buffer[MAX_PATH] = {};
        wcscpy_s(buffer, prefix);
        return m_pfnGetTemporaryFileName(longName, buffer, MAX_PATH) == ZVT_OK ? buffer : L"";
    }

    zvt::CZavsysLibrary m_library;
    PFN_zvtGetTemporaryFileName m_pfnGetTemporaryFileName = m_library.m_pfnGetTemporaryFileName;
    zvt::test::CTempDirectory m_scratch;
    CScopedVariable m_tmp{L"TMP", m_scratch.Directory()};
};

std::wstring FilePart(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

bool IsHexNumberDotTmp(const std::wstring& text)
{
    const std::size_t dot = text.find(L'.');
    if (dot == 0 || dot == std::wstring::npos || _wcsicmp(text.c_str() + dot, L".tmp") != 0)
    {
        return false;
    }
    for (std::size_t i = 0; i < dot; ++i)
    {
        if (!std::iswxdigit(text[i]))
        {
            return false;
        }
    }
    return true;
}

bool ExistsEmpty(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow == 0 &&
           data.nFileSizeHigh == 0;
}
} // namespace

TEST_F(TemporaryName, PrefixCutToThreeAndFileCreatedEmpty)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    const std::wstring name = Create(L"xyzuvw");
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.substr(0, m_scratch.Directory().size()), m_scratch.Directory());
    const std::wstring file = FilePart(name);
    EXPECT_EQ(file.substr(0, 3), L"xyz");
    EXPECT_TRUE(IsHexNumberDotTmp(file.substr(3))) << file.c_str();
    EXPECT_TRUE(ExistsEmpty(name));
}

TEST_F(TemporaryName, EmptyPrefixGivesTheBareNumber)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    const std::wstring name = Create(L"");
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(IsHexNumberDotTmp(FilePart(name))) << name.c_str();
    EXPECT_TRUE(ExistsEmpty(name));
}

TEST_F(TemporaryName, ManyThreadsGetDistinctFiles)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    constexpr int kThreads = 8;
    constexpr int kCalls = 20;
    std::vector<std::vector<std::wstring>> names(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back([&, t]() {
            for (int i = 0; i < kCalls; ++i)
            {
                names[static_cast<std::size_t>(t)].push_back(Create(L"thr"));
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    std::set<std::wstring> distinct;
    for (const auto& perThread : names)
    {
        for (const std::wstring& name : perThread)
        {
            EXPECT_TRUE(ExistsEmpty(name)) << name.c_str();
            distinct.insert(name);
        }
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kThreads * kCalls));
    EXPECT_FALSE(distinct.count(L"") != 0);
    EXPECT_EQ(m_scratch.Files().size(), static_cast<std::size_t>(kThreads * kCalls));
}

TEST_F(TemporaryName, LongNameFlagExpandsShortDirectories)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    const std::wstring longDirectory = m_scratch.Path(L"a rather long directory name\\");
    ASSERT_TRUE(CreateDirectoryW(longDirectory.c_str(), nullptr));
    wchar_t shortForm[MAX_PATH] = {};
    const DWORD shortLength = GetShortPathNameW(longDirectory.c_str(), shortForm, MAX_PATH);
    wchar_t longForm[MAX_PATH] = {};
    GetLongPathNameW(longDirectory.c_str(), longForm, MAX_PATH);
    std::wstring asCreated;
    std::wstring expanded;
    {
        const bool hasShortForm = shortLength != 0 && shortLength < MAX_PATH && longDirectory != shortForm;
        CScopedVariable tmp(L"TMP", hasShortForm ? std::wstring(shortForm) : longDirectory);
        asCreated = Create(L"sh", 0);
        expanded = Create(L"lg", 1);
        if (hasShortForm)
        {
            EXPECT_EQ(asCreated.substr(0, wcslen(shortForm)), shortForm);
        }
    }
    ASSERT_FALSE(asCreated.empty());
    ASSERT_FALSE(expanded.empty());
    EXPECT_EQ(expanded.substr(0, wcslen(longForm)), longForm);
    EXPECT_TRUE(ExistsEmpty(expanded));
    DeleteFileW(asCreated.c_str());
    DeleteFileW(expanded.c_str());
    RemoveDirectoryW(longDirectory.c_str());
}

TEST_F(TemporaryName, FailuresLeaveTheBufferAndTheDirectoryAsTheyWere)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    // The capacity ends long before the name would; the rest of the array is a guard.
    wchar_t buffer[40];
    FillSentinel(buffer, sizeof buffer);
    wcscpy_s(buffer, 4, L"zq");
    const std::vector<wchar_t> before(std::begin(buffer), std::end(buffer));
    const auto smallCapacity = static_cast<std::int32_t>(m_scratch.Directory().size() + 1);
    for (std::int32_t longName : {0, 1})
    {
        EXPECT_EQ(m_pfnGetTemporaryFileName(longName, buffer, smallCapacity), ZVT_E_FAILED);
        EXPECT_EQ(std::vector<wchar_t>(std::begin(buffer), std::end(buffer)), before);
    }
    EXPECT_EQ(m_pfnGetTemporaryFileName(0, buffer, 0), ZVT_E_FAILED);
    EXPECT_EQ(m_pfnGetTemporaryFileName(0, buffer, -5), ZVT_E_FAILED);
    EXPECT_EQ(m_pfnGetTemporaryFileName(0, nullptr, MAX_PATH), ZVT_E_FAILED);
    EXPECT_EQ(std::vector<wchar_t>(std::begin(buffer), std::end(buffer)), before);
    EXPECT_TRUE(m_scratch.Files().empty());
}

// The name and its zero fit a capacity of its length + 1 exactly; a capacity of its length is refused, and
// nothing lands beyond the capacity either way. The system picks the number, and with it how many hex
// digits the name has: the length is learnt from the call before, which the next name shares but for the
// rare step to one more digit, after which the case is simply tried again.
TEST_F(TemporaryName, CapacityOfTheNameAndItsZeroFitsAndOneLessDoesNot)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    bool fitted = false;
    bool refused = false;
    for (int attempt = 0; attempt < 8 && !(fitted && refused); ++attempt)
    {
        const std::size_t length = Create(L"cap").size();
        ASSERT_GT(length, 0u);
        for (const std::size_t capacity : {length + 1, length})
        {
            wchar_t buffer[MAX_PATH + 8];
            FillSentinel(buffer, sizeof buffer);
            wcscpy_s(buffer, 4, L"cap");
            const std::vector<wchar_t> before(std::begin(buffer), std::end(buffer));
            const std::size_t files = m_scratch.Files().size();
            const std::int32_t result =
                m_pfnGetTemporaryFileName(0, buffer, static_cast<std::int32_t>(capacity));
            EXPECT_TRUE(
                IsSentinel(buffer, capacity * sizeof(wchar_t), sizeof buffer - capacity * sizeof(wchar_t)))
                << "written beyond a capacity of " << capacity;
            if (result == ZVT_OK)
            {
                EXPECT_LT(wcsnlen(buffer, capacity), capacity);
                fitted = fitted || (capacity == length + 1 && wcsnlen(buffer, capacity) == length);
            }
            else
            {
                EXPECT_EQ(std::vector<wchar_t>(std::begin(buffer), std::end(buffer)), before);
                EXPECT_EQ(m_scratch.Files().size(), files);
                refused = refused || capacity == length;
            }
        }
    }
    EXPECT_TRUE(fitted) << "no name filled a capacity of its length + 1";
    EXPECT_TRUE(refused) << "no name was refused a capacity of its length";
}

TEST_F(TemporaryName, UnusableTemporaryDirectoryFails)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    const std::wstring missing = m_scratch.Path(L"missing\\");
    // 259 characters and the backslash the system appends: the size needed may be reported instead of
    // a filled buffer, or the value refused outright.
    const std::wstring needs261 =
        m_scratch.Directory() + std::wstring(259 - m_scratch.Directory().size(), L'd');
    const std::wstring tooLong =
        m_scratch.Directory() + std::wstring(300 - m_scratch.Directory().size(), L'd') + L"\\";
    for (const std::wstring& directory : {missing, needs261, tooLong})
    {
        CScopedVariable tmp(L"TMP", directory);
        wchar_t buffer[MAX_PATH] = L"pre";
        EXPECT_EQ(m_pfnGetTemporaryFileName(0, buffer, MAX_PATH), ZVT_E_FAILED) << directory.size();
        EXPECT_STREQ(buffer, L"pre");
    }
    EXPECT_TRUE(m_scratch.Files().empty());
}

TEST_F(TemporaryName, TwoCallsGiveTwoFiles)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    const std::wstring first = Create(L"two");
    const std::wstring second = Create(L"two");
    EXPECT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(m_scratch.Files().size(), 2u);
}

TEST_F(TemporaryName, LongFormOf260OrMoreFailsAndRemovesTheFile)
{
    ASSERT_NE(m_pfnGetTemporaryFileName, nullptr);
    // Nested long directory names reached through their short forms: the short path stays short, the
    // long form of a file in the innermost directory passes 260 characters.
    std::vector<std::wstring> shortDirectories{m_scratch.Directory()};
    std::size_t longLength = m_scratch.Directory().size();
    while (longLength < 300)
    {
        const std::wstring directory = shortDirectories.back() + std::wstring(60, L'n');
        ASSERT_TRUE(CreateDirectoryW(directory.c_str(), nullptr));
        wchar_t shortForm[MAX_PATH] = {};
        const DWORD length = GetShortPathNameW(directory.c_str(), shortForm, MAX_PATH);
        if (length == 0 || length >= MAX_PATH || directory == shortForm)
        {
            RemoveDirectoryW(directory.c_str());
            break; // no short names here; the long form cannot outgrow the short one
        }
        shortDirectories.push_back(std::wstring(shortForm) + L"\\");
        longLength += 61;
    }
    if (longLength >= 300)
    {
        CScopedVariable tmp(L"TMP", shortDirectories.back());
        wchar_t buffer[MAX_PATH] = L"big";
        EXPECT_EQ(m_pfnGetTemporaryFileName(1, buffer, MAX_PATH), ZVT_E_FAILED);
        EXPECT_STREQ(buffer, L"big");
        const std::wstring shortName = Create(L"big", 0);
        EXPECT_FALSE(shortName.empty());
        DeleteFileW(shortName.c_str());
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((shortDirectories.back() + L"*.tmp").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
        if (search != INVALID_HANDLE_VALUE)
        {
            FindClose(search);
        }
    }
    for (std::size_t i = shortDirectories.size() - 1; i > 0; --i)
    {
        RemoveDirectoryW(shortDirectories[i].c_str());
    }
}
