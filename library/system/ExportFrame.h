// The frame every export runs in: the library's module state is current for the body, and the caller's
// again on every return. The library is built without C++ exceptions, so a body ends only by returning.
#pragma once

#include <cstdint>

#include "afx.h"

#if defined(__cpp_exceptions)
#error "the library is built without exceptions (zvt_no_exceptions): nothing may be thrown through an export"
#endif

template <typename Body> std::int32_t RunExport(Body&& body) noexcept
{
    AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
    return body();
}
