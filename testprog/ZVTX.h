// The library loader: zavsys.dll loaded by its bare name and its six exports bound by name, for the life
// of the object.
#pragma once

#include <afx.h>

#include "zavsys.h"

class CZAVSYS : public CObject
{
};

// Pointers stay null for what could not be bound; callers test them (or m_hModule) before calling.
class CZVTX : public CZAVSYS
{
public:
    CZVTX() noexcept;
    ~CZVTX() override;

    PFN_zvtGetIdentity m_pfnGetIdentity = nullptr;
    PFN_zvtGetInformation m_pfnGetInformation = nullptr;
    PFN_zvtGetWindowsVersion m_pfnGetWindowsVersion = nullptr;
    PFN_zvtIsWow64 m_pfnIsWow64 = nullptr;
    PFN_zvtGetFileVersion m_pfnGetFileVersion = nullptr;
    PFN_zvtGetTemporaryFileName m_pfnGetTemporaryFileName = nullptr;
    HMODULE m_hModule = nullptr;
};

class CZVTXaddition : public CZVTX
{
};
