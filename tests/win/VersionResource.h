// A file's version resource as any tool reads it through the version API (link with version).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zvt::test
{

class CVersionResource
{
public:
    explicit CVersionResource(const wchar_t* file)
    {
        DWORD handle = 0;
        m_block.resize(GetFileVersionInfoSizeW(file, &handle));
        if (!m_block.empty() &&
            !GetFileVersionInfoW(file, 0, static_cast<DWORD>(m_block.size()), m_block.data()))
        {
            m_block.clear();
        }
    }

    bool IsRead() const
    {
        return !m_block.empty();
    }

    // The value at a path of the block ("\\VarFileInfo\\Translation" ...), null when there is none.
    const void* Value(const std::wstring& path, UINT* length = nullptr) const
    {
        void* value = nullptr;
        UINT bytes = 0;
        const bool found = IsRead() && VerQueryValueW(m_block.data(), path.c_str(), &value, &bytes);
        if (length != nullptr)
        {
            *length = found ? bytes : 0;
        }
        return found ? value : nullptr;
    }

    // The fixed part, null when there is none.
    const VS_FIXEDFILEINFO* Fixed() const
    {
        return static_cast<const VS_FIXEDFILEINFO*>(Value(L"\\"));
    }

    // A string of the Japanese Unicode table (041104b0, the one table of every module here), or "<missing>".
    std::wstring String(const std::wstring& name) const
    {
        UINT length = 0;
        const void* value = Value(L"\\StringFileInfo\\041104b0\\" + name, &length);
        return value != nullptr && length != 0 ? std::wstring(static_cast<const wchar_t*>(value))
                                               : std::wstring(L"<missing>");
    }

private:
    std::vector<BYTE> m_block;
};

} // namespace zvt::test
