// The report object.
#include "CpuIdentity.h"

#include <cstdlib>

CCpuIdentity::CCpuIdentity() noexcept : m_pReport(static_cast<char*>(std::calloc(kReportCapacity, 1)))
{
}

CCpuIdentity::~CCpuIdentity()
{
    std::free(m_pReport);
    m_pReport = nullptr;
}

std::int32_t CCpuIdentity::WriteReport(const ZVT_CPU_IDENTITY&, const wchar_t*, std::int32_t) noexcept
{
    if (!m_pReport)
    {
        return ZVT_E_NO_REPORT_BUFFER;
    }
    return ZVT_E_REPORT_EMPTY; // reports are not written yet
}
