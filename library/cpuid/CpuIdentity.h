// The library's report object: the report text buffer, allocated once at load, and the report file.
#pragma once

#include <cstdint>

#include "CpuidSource.h"
#include "ReportText.h"
#include "TextFile.h"
#include "zavsys.h"

class CCpuIdentity : public CTextFile
{
public:
    static constexpr int kReportCapacity = static_cast<int>(zvt::kReportCapacity);

    CCpuIdentity() noexcept;
    ~CCpuIdentity() override;

    // The body of zvtGetIdentity: the caller's record as PrepareIdentity fills it, then, when reportPath is
    // not null, the report of what was read. Returns PrepareIdentity's result when that is not 0 (no
    // report then), else 0 without a report path, else WriteReport's result.
    std::int32_t GetIdentity(const zvt::CCpuidSource& cpuid, const zvt::CClock& clock,
                             ZVT_CPU_IDENTITY* identity, std::int32_t measureMs, const wchar_t* reportPath,
                             std::int32_t reportMode) noexcept;

    // Writes the report of identity to path in the given mode, one report at a time: a second caller
    // waits for the first. Returns 0, ZVT_E_NO_REPORT_BUFFER, ZVT_E_REPORT_EMPTY, or a positive cause
    // code (CFileException) of a file that could not be created or completed; the file is closed on
    // every path.
    std::int32_t WriteReport(const ZVT_CPU_IDENTITY& identity, const wchar_t* path,
                             std::int32_t mode) noexcept;

    CCpuIdentity(const CCpuIdentity&) = delete;
    CCpuIdentity& operator=(const CCpuIdentity&) = delete;

    char* m_pReport; // kReportCapacity bytes; null when the allocation failed at load

private:
    // The buffer and the file are single objects: held from building the text to closing the file.
    CRITICAL_SECTION m_csReport;
};
