// Helpers of the system tests.
#include "SystemTestSupport.h"

#include "VersionResource.h"

namespace zvt::test
{

CScopedVariable::CScopedVariable(const wchar_t* name, const std::wstring& value)
    : m_name(name), m_bHadValue(false)
{
    wchar_t previous[32768] = {};
    m_bHadValue = GetEnvironmentVariableW(name, previous, 32768) != 0;
    m_previous = previous;
    SetEnvironmentVariableW(name, value.c_str());
}

CScopedVariable::~CScopedVariable()
{
    SetEnvironmentVariableW(m_name.c_str(), m_bHadValue ? m_previous.c_str() : nullptr);
}

std::vector<std::int32_t> ReadFileVersion(const wchar_t* fileName)
{
    const CVersionResource resource(fileName);
    const VS_FIXEDFILEINFO* info = resource.Fixed();
    if (info == nullptr)
    {
        return {};
    }
    return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
            LOWORD(info->dwFileVersionLS)};
}

} // namespace zvt::test
