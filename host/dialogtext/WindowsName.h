// The readable name of a Windows edition, composed from the library's Windows version record.
// Portable: plain wide-character text work, no system calls.
#pragma once

#include <cstddef>

#include "zavsys.h"

constexpr std::size_t kWindowsNameCapacity = 128; // characters, with the terminating zero

// Version name, edition and service-pack suffix, separated by single blanks that are written even next to
// an empty part (" Windows 10 Pro " has no version name and no suffix). Reads productType, major, minor,
// build and revision; the size field is not looked at. Always terminates output.
void GetWindowsName(const ZVT_WINDOWS_VERSION& record, wchar_t (&output)[kWindowsNameCapacity]) noexcept;
