// The report object.
#include "CpuIdentity.h"

#include <cstdlib>

#include "MeasuredRecords.h"

namespace
{

class CReportLock
{
public:
    explicit CReportLock(CRITICAL_SECTION& section) noexcept : m_section(section)
    {
        EnterCriticalSection(&m_section);
    }
    ~CReportLock()
    {
        LeaveCriticalSection(&m_section);
    }
    CReportLock(const CReportLock&) = delete;
    CReportLock& operator=(const CReportLock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

} // namespace

CCpuIdentity::CCpuIdentity() noexcept
    : m_pReport(static_cast<char*>(std::calloc(kReportCapacity, 1))), m_csReport()
{
    InitializeCriticalSection(&m_csReport);
}

CCpuIdentity::~CCpuIdentity()
{
    std::free(m_pReport);
    m_pReport = nullptr;
    DeleteCriticalSection(&m_csReport);
}

std::int32_t CCpuIdentity::GetIdentity(const zvt::CCpuidSource& cpuid, const zvt::CClock& clock,
                                       ZVT_CPU_IDENTITY* identity, std::int32_t measureMs,
                                       const wchar_t* reportPath, std::int32_t reportMode) noexcept
{
    ZVT_CPU_IDENTITY local;
    const std::int32_t result = zvt::PrepareIdentity(cpuid, clock, identity, measureMs, local);
    if (result != 0 || reportPath == nullptr)
    {
        return result;
    }
    return WriteReport(local, reportPath, reportMode);
}

std::int32_t CCpuIdentity::WriteReport(const ZVT_CPU_IDENTITY& identity, const wchar_t* path,
                                       std::int32_t mode) noexcept
{
    if (m_pReport == nullptr)
    {
        return ZVT_E_NO_REPORT_BUFFER;
    }
    CReportLock lock(m_csReport);
    zvt::BuildReport(identity, m_pReport, zvt::kReportCapacity);
    const std::int32_t opened = OpenForWrite(path, mode);
    if (opened != 0)
    {
        return opened;
    }
    const std::int32_t written = WriteText(m_pReport);
    const std::int32_t failure = Close();
    if (failure != 0)
    {
        return failure; // the file is closed; what reached it before the failure stays
    }
    return written > 0 ? ZVT_OK : ZVT_E_REPORT_EMPTY;
}
