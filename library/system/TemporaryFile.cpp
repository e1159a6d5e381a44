// Fresh, uniquely named empty files in the user's temporary directory.
#include <cwchar>

#include "FileBox.h"

namespace
{
constexpr std::size_t kPrefixLength = 3;

// The first characters of the caller's buffer, never reading beyond its capacity or its zero.
void CopyPrefix(const wchar_t* buffer, std::int32_t capacity, wchar_t (&prefix)[kPrefixLength + 1]) noexcept
{
    std::size_t length = 0;
    while (length < kPrefixLength && static_cast<std::int32_t>(length) < capacity && buffer[length] != L'\0')
    {
        prefix[length] = buffer[length];
        ++length;
    }
    prefix[length] = L'\0';
}

// GetTempPathW and GetLongPathNameW return the size they need, not an error, when 260 characters are
// too few; such a buffer holds nothing usable.
bool FitsPathBuffer(DWORD length) noexcept
{
    return length != 0 && length < MAX_PATH;
}

// Copies name and its zero when both fit into capacity characters; otherwise touches nothing.
bool CopyToCaller(const wchar_t* name, wchar_t* buffer, std::int32_t capacity) noexcept
{
    const std::size_t length = std::wcslen(name);
    if (length >= static_cast<std::size_t>(capacity))
    {
        return false;
    }
    std::wmemcpy(buffer, name, length + 1);
    return true;
}
} // namespace

std::int32_t CFileBox::MakeTemporaryFileName(const wchar_t* prefix, wchar_t (&name)[MAX_PATH]) noexcept
{
    wchar_t directory[MAX_PATH] = {};
    if (!FitsPathBuffer(GetTempPathW(MAX_PATH, directory)))
    {
        return ZVT_E_FAILED;
    }
    // Unique number 0: the system picks the number and creates the file before returning.
    return GetTempFileNameW(directory, prefix, 0, name) == 0 ? ZVT_E_FAILED : ZVT_OK;
}

std::int32_t CFileBox::GetTemporaryFileName(std::int32_t longName, wchar_t* buffer,
                                            std::int32_t capacity) noexcept
{
    if (buffer == nullptr || capacity <= 0)
    {
        return ZVT_E_FAILED;
    }
    wchar_t prefix[kPrefixLength + 1] = {};
    wchar_t name[MAX_PATH] = {};
    CopyPrefix(buffer, capacity, prefix);
    if (MakeTemporaryFileName(prefix, name) != ZVT_OK)
    {
        return ZVT_E_FAILED;
    }
    const wchar_t* handedBack = name;
    wchar_t longForm[MAX_PATH] = {};
    if (longName != 0)
    {
        if (!FitsPathBuffer(GetLongPathNameW(name, longForm, MAX_PATH)))
        {
            DeleteFileW(name); // a failed call leaves nothing behind
            return ZVT_E_FAILED;
        }
        handedBack = longForm;
    }
    if (!CopyToCaller(handedBack, buffer, capacity))
    {
        DeleteFileW(name);
        return ZVT_E_FAILED;
    }
    return ZVT_OK;
}
