// Test support: zavsys.dll loaded as a caller loads it, its exports bound by name, and sentinel fills.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "zavsys.h"

namespace zvt::test
{

constexpr std::uint32_t kSentinel = 0xDEADBEEFu;

// Fills a buffer with the sentinel pattern, so a test can prove which bytes a call left alone.
inline void FillSentinel(void* buffer, std::size_t bytes)
{
    auto* out = static_cast<unsigned char*>(buffer);
    for (std::size_t i = 0; i < bytes; ++i)
    {
        out[i] = static_cast<unsigned char>(kSentinel >> (8 * (i % 4)));
    }
}

inline bool IsSentinel(const void* buffer, std::size_t offset, std::size_t bytes)
{
    const auto* in = static_cast<const unsigned char*>(buffer);
    for (std::size_t i = offset; i < offset + bytes; ++i)
    {
        if (in[i] != static_cast<unsigned char>(kSentinel >> (8 * (i % 4))))
        {
            return false;
        }
    }
    return true;
}

template <typename Function> Function Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The library loaded for one test, with the six exports bound by name.
class CLibrary
{
public:
    CLibrary() : m_hModule(LoadLibraryW(L"zavsys.dll"))
    {
        getIdentity = Bind<PFN_zvtGetIdentity>(m_hModule, "zvtGetIdentity");
        getInformation = Bind<PFN_zvtGetInformation>(m_hModule, "zvtGetInformation");
        getWindowsVersion = Bind<PFN_zvtGetWindowsVersion>(m_hModule, "zvtGetWindowsVersion");
        isWow64 = Bind<PFN_zvtIsWow64>(m_hModule, "zvtIsWow64");
        getFileVersion = Bind<PFN_zvtGetFileVersion>(m_hModule, "zvtGetFileVersion");
        getTemporaryFileName = Bind<PFN_zvtGetTemporaryFileName>(m_hModule, "zvtGetTemporaryFileName");
    }
    ~CLibrary()
    {
        if (m_hModule != nullptr)
        {
            FreeLibrary(m_hModule);
        }
    }
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;

    bool IsLoaded() const
    {
        return m_hModule != nullptr && getIdentity != nullptr && getInformation != nullptr &&
               getWindowsVersion != nullptr && isWow64 != nullptr && getFileVersion != nullptr &&
               getTemporaryFileName != nullptr;
    }

    HMODULE m_hModule;
    PFN_zvtGetIdentity getIdentity;
    PFN_zvtGetInformation getInformation;
    PFN_zvtGetWindowsVersion getWindowsVersion;
    PFN_zvtIsWow64 isWow64;
    PFN_zvtGetFileVersion getFileVersion;
    PFN_zvtGetTemporaryFileName getTemporaryFileName;
};

} // namespace zvt::test
