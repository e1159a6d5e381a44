// The library's report object: the report text buffer, allocated once at load.
#pragma once

#include <cstdint>

#include "afx.h"
#include "zavsys.h"

class CCpuIdentity : public CObject
{
public:
    static constexpr int kReportCapacity = 10240;

    CCpuIdentity() noexcept;
    ~CCpuIdentity() override;

    // Writes the report of identity to path in the given mode. Returns 0, ZVT_E_NO_REPORT_BUFFER,
    // ZVT_E_REPORT_EMPTY or the positive cause code of a file that could not be created.
    std::int32_t WriteReport(const ZVT_CPU_IDENTITY& identity, const wchar_t* path,
                             std::int32_t mode) noexcept;

    CCpuIdentity(const CCpuIdentity&) = delete;
    CCpuIdentity& operator=(const CCpuIdentity&) = delete;

    char* m_pReport; // kReportCapacity bytes; null when the allocation failed at load
};
