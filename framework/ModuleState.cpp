// The module state, its per-thread current pointer and the frame that switches it.
#include "afx.h"

namespace
{

constinit AFX_MODULE_STATE moduleState{};
// Thread-local slot for the current module state; allocated by the first frame, released by AfxWinTerm.
// Win32 TLS rather than thread_local: the latter would leave destructors behind in an unloaded library.
constinit DWORD currentStateSlot = TLS_OUT_OF_INDEXES;

DWORD CurrentStateSlot() noexcept
{
    if (currentStateSlot == TLS_OUT_OF_INDEXES)
    {
        const DWORD slot = TlsAlloc();
        if (InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&currentStateSlot),
                                       static_cast<LONG>(slot), static_cast<LONG>(TLS_OUT_OF_INDEXES)) !=
            static_cast<LONG>(TLS_OUT_OF_INDEXES))
        {
            TlsFree(slot); // another thread was first
        }
    }
    return currentStateSlot;
}

} // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState() noexcept
{
    return &moduleState;
}

AFX_MODULE_STATE* AfxGetModuleState() noexcept
{
    const DWORD slot = currentStateSlot;
    auto* current = slot == TLS_OUT_OF_INDEXES ? nullptr : static_cast<AFX_MODULE_STATE*>(TlsGetValue(slot));
    return current != nullptr ? current : &moduleState;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState) noexcept : m_pPrevModuleState(nullptr)
{
    const DWORD slot = CurrentStateSlot();
    if (slot != TLS_OUT_OF_INDEXES)
    {
        m_pPrevModuleState = static_cast<AFX_MODULE_STATE*>(TlsGetValue(slot));
        TlsSetValue(slot, pNewState);
    }
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    const DWORD slot = CurrentStateSlot();
    if (slot != TLS_OUT_OF_INDEXES)
    {
        TlsSetValue(slot, m_pPrevModuleState);
    }
}

void AfxWinTerm() noexcept
{
    const DWORD slot = currentStateSlot;
    currentStateSlot = TLS_OUT_OF_INDEXES;
    if (slot != TLS_OUT_OF_INDEXES)
    {
        TlsFree(slot);
    }
}

void AfxTermThread() noexcept
{
    if (currentStateSlot != TLS_OUT_OF_INDEXES)
    {
        TlsSetValue(currentStateSlot, nullptr);
    }
}
