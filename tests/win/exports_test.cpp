// The exports as a caller sees them: loaded with LoadLibraryW, bound with GetProcAddress.
#include <windows.h>

#include "zavsys.h"

#include <gtest/gtest.h>

TEST(Exports, LibraryLoads)
{
    HMODULE module = LoadLibraryW(L"zavsys.dll");
    ASSERT_NE(module, nullptr);
    FreeLibrary(module);
}
