// The library's report object: the report text buffer, allocated once at load, and the report file.
#pragma once

#include <cstdint>

#include "ReportText.h"
#include "TextFile.h"
#include "zavsys.h"

class CCpuIdentity : public CTextFile
{
public:
    static constexpr int kReportCapacity = static_cast<int>(zvt::kReportCapacity);

    CCpuIdentity() noexcept;
    ~CCpuIdentity() override;

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
