// File versions from a file's version resource (the fixed part, file version words only).
#include <cstdlib>
#include <memory>

#include "FileBox.h"

namespace
{
struct FreeBlock
{
    void operator()(void* block) const noexcept
    {
        std::free(block);
    }
};

void StorePart(std::int32_t* output, WORD part) noexcept
{
    if (output != nullptr)
    {
        *output = static_cast<std::int32_t>(part); // zero-extended: 65535 stays 65535
    }
}

// The fixed file information at the root of a loaded version block, or null when it is missing or short.
const VS_FIXEDFILEINFO* FindFixedFileInfo(void* block) noexcept
{
    void* fixed = nullptr;
    UINT fixedLength = 0;
    if (!VerQueryValueW(block, L"\\", &fixed, &fixedLength) || fixed == nullptr ||
        fixedLength < sizeof(VS_FIXEDFILEINFO))
    {
        return nullptr;
    }
    return static_cast<const VS_FIXEDFILEINFO*>(fixed);
}
} // namespace

std::int32_t CFileBoxA::GetFileVersion(const wchar_t* fileName, std::int32_t* major, std::int32_t* minor,
                                       std::int32_t* build, std::int32_t* revision) noexcept
{
    if (fileName == nullptr)
    {
        return ZVT_E_FAILED;
    }
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName, &handle);
    if (size == 0)
    {
        return ZVT_E_FAILED; // no such file, or no version resource
    }
    const std::unique_ptr<void, FreeBlock> block(std::calloc(size, 1));
    if (block == nullptr || !GetFileVersionInfoW(fileName, handle, size, block.get()))
    {
        return ZVT_E_FAILED;
    }
    const VS_FIXEDFILEINFO* fixed = FindFixedFileInfo(block.get());
    if (fixed == nullptr)
    {
        return ZVT_E_FAILED;
    }
    StorePart(major, HIWORD(fixed->dwFileVersionMS));
    StorePart(minor, LOWORD(fixed->dwFileVersionMS));
    StorePart(build, HIWORD(fixed->dwFileVersionLS));
    StorePart(revision, LOWORD(fixed->dwFileVersionLS));
    return ZVT_OK;
}
