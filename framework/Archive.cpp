// The buffered archive.
#include <cstring>

#include "afxfile.h"

CArchive::CArchive(CFile* pFile, UINT nMode) noexcept : m_pFile(pFile), m_nMode(nMode)
{
}

CArchive::~CArchive()
{
    Close();
}

BOOL CArchive::Fail(const CFileException& error) noexcept
{
    if (m_nError == CFileException::none)
    {
        m_nError = error.m_cause != CFileException::none ? error.m_cause : CFileException::genericException;
    }
    return FALSE;
}

BOOL CArchive::Write(const void* lpBuf, UINT nCount) noexcept
{
    if (m_pFile == nullptr || !IsStoring() || m_nError != CFileException::none)
    {
        return FALSE;
    }
    const auto* bytes = static_cast<const BYTE*>(lpBuf);
    while (nCount > 0)
    {
        if (m_nUsed == kBufferSize && !Flush())
        {
            return FALSE;
        }
        const UINT room = kBufferSize - m_nUsed;
        const UINT piece = nCount < room ? nCount : room;
        std::memcpy(m_buffer + m_nUsed, bytes, piece);
        m_nUsed += piece;
        bytes += piece;
        nCount -= piece;
    }
    return TRUE;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) noexcept
{
    if (m_pFile == nullptr || !IsLoading() || m_nError != CFileException::none)
    {
        return 0;
    }
    auto* bytes = static_cast<BYTE*>(lpBuf);
    UINT delivered = 0;
    while (delivered < nMax)
    {
        if (m_nNext == m_nUsed)
        {
            CFileException error;
            m_nNext = 0;
            m_nUsed = m_pFile->Read(m_buffer, kBufferSize, &error);
            if (m_nUsed == 0)
            {
                if (error.m_cause != CFileException::none)
                {
                    Fail(error);
                }
                break;
            }
        }
        const UINT held = m_nUsed - m_nNext;
        const UINT piece = nMax - delivered < held ? nMax - delivered : held;
        std::memcpy(bytes + delivered, m_buffer + m_nNext, piece);
        m_nNext += piece;
        delivered += piece;
    }
    return delivered;
}

BOOL CArchive::Flush() noexcept
{
    if (m_pFile == nullptr || !IsStoring() || m_nError != CFileException::none)
    {
        return m_nError == CFileException::none;
    }
    CFileException error;
    const UINT pending = m_nUsed;
    m_nUsed = 0;
    if (pending > 0 && !m_pFile->Write(m_buffer, pending, &error))
    {
        return Fail(error);
    }
    return TRUE;
}

BOOL CArchive::Close() noexcept
{
    const BOOL flushed = Flush();
    m_pFile = nullptr;
    return flushed && m_nError == CFileException::none;
}
