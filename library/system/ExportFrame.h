// The frame every export runs in: the library's module state is current for the body, and nothing
// thrown inside ever reaches the caller (it becomes the export's failure result).
#pragma once

#include <cstdint>

#include "afx.h"

template <typename Body>
std::int32_t RunExport([[maybe_unused]] std::int32_t failureResult, Body&& body) noexcept
{
    AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
#if defined(__cpp_exceptions)
    try
    {
        return body();
    }
    catch (...)
    {
        return failureResult;
    }
#else
    return body(); // built without exceptions: nothing can be thrown
#endif
}
