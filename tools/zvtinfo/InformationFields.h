// The information record's whole-number fields from family to threads under their JSON names, in the order
// zvtinfo writes them (the record's own order). The tests that hold zvtinfo's JSON against a record walk the
// same list; the names themselves are checked against literal ones in the native replay test.
#pragma once

#include <cstdint>

#include "zavsys.h"

namespace zvtinfo
{

struct InformationField
{
    const char* name;
    std::int32_t ZVT_CPU_INFORMATION::*member;
};

inline constexpr InformationField kInformationFields[] = {
    {"family", &ZVT_CPU_INFORMATION::family},
    {"extendedFamily", &ZVT_CPU_INFORMATION::extendedFamily},
    {"baseFamily", &ZVT_CPU_INFORMATION::baseFamily},
    {"model", &ZVT_CPU_INFORMATION::model},
    {"extendedModel", &ZVT_CPU_INFORMATION::extendedModel},
    {"baseModel", &ZVT_CPU_INFORMATION::baseModel},
    {"stepping", &ZVT_CPU_INFORMATION::stepping},
    {"cores", &ZVT_CPU_INFORMATION::cores},
    {"logicalCores", &ZVT_CPU_INFORMATION::logicalCores},
    {"threads", &ZVT_CPU_INFORMATION::threads},
};

} // namespace zvtinfo
