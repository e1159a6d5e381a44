// The file object and the causes of its failures.
#include <cstdlib>

#include "afxfile.h"

namespace
{

struct OsErrorCause
{
    DWORD osError;
    int cause;
};

// Win32 errors that a create, write or close can meet, by the cause a caller can act on.
constexpr OsErrorCause kOsErrorCauses[] = {
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {ERROR_BAD_NET_NAME, CFileException::badPath},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_DIRECTORY, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_NETWORK_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_WRITE_FAULT, CFileException::hardIO},
    {ERROR_READ_FAULT, CFileException::hardIO},
    {ERROR_GEN_FAILURE, CFileException::hardIO},
    {ERROR_DEV_NOT_EXIST, CFileException::hardIO}, // a removed volume or a lost share
    {ERROR_NETNAME_DELETED, CFileException::hardIO},
    {ERROR_UNEXP_NET_ERR, CFileException::hardIO},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
};

DWORD DesiredAccess(UINT nOpenFlags) noexcept
{
    switch (nOpenFlags & 3u)
    {
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

DWORD ShareMode(UINT nOpenFlags) noexcept
{
    switch (nOpenFlags & 0x70u)
    {
    case CFile::shareExclusive:
        return 0;
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    default: // shareDenyNone, and the compatibility mode
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
}

DWORD CreationDisposition(UINT nOpenFlags) noexcept
{
    if ((nOpenFlags & CFile::modeCreate) == 0)
    {
        return OPEN_EXISTING;
    }
    return (nOpenFlags & CFile::modeNoTruncate) != 0 ? OPEN_ALWAYS : CREATE_ALWAYS;
}

BOOL ReportLastError(CFileException* pError) noexcept
{
    if (pError != nullptr)
    {
        pError->SetOsError(GetLastError());
    }
    return FALSE;
}

} // namespace

int CFileException::OsErrorToException(DWORD osError) noexcept
{
    for (const OsErrorCause& entry : kOsErrorCauses)
    {
        if (entry.osError == osError)
        {
            return entry.cause;
        }
    }
    return genericException;
}

void CFileException::SetOsError(DWORD osError) noexcept
{
    m_cause = OsErrorToException(osError);
    m_lOsError = static_cast<LONG>(osError);
}

CFile::~CFile()
{
    Close();
}

void* CNoThrowHeap::operator new(std::size_t size) noexcept
{
    return std::malloc(size);
}

void CNoThrowHeap::operator delete(void* pObject) noexcept
{
    std::free(pObject);
}

BOOL CFile::Open(const wchar_t* lpszFileName, UINT nOpenFlags, CFileException* pError) noexcept
{
    Close();
    m_hFile = CreateFileW(lpszFileName, DesiredAccess(nOpenFlags), ShareMode(nOpenFlags), nullptr,
                          CreationDisposition(nOpenFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE ? TRUE : ReportLastError(pError);
}

UINT CFile::Read(void* lpBuf, UINT nCount, CFileException* pError) noexcept
{
    DWORD read = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
    {
        ReportLastError(pError);
        return 0;
    }
    return read;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount, CFileException* pError) noexcept
{
    DWORD written = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
    {
        return ReportLastError(pError);
    }
    if (written != nCount) // a short write is a full disk
    {
        if (pError != nullptr)
        {
            pError->SetOsError(ERROR_DISK_FULL);
        }
        return FALSE;
    }
    return TRUE;
}

LONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom, CFileException* pError) noexcept
{
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(m_hFile, distance, &position, nFrom))
    {
        ReportLastError(pError);
        return -1;
    }
    return position.QuadPart;
}

LONGLONG CFile::GetPosition() const noexcept
{
    LARGE_INTEGER distance{};
    LARGE_INTEGER position;
    return SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT) ? position.QuadPart : -1;
}

LONGLONG CFile::GetLength() const noexcept
{
    LARGE_INTEGER size;
    return GetFileSizeEx(m_hFile, &size) ? size.QuadPart : -1;
}

BOOL CFile::Close(CFileException* pError) noexcept
{
    if (m_hFile == INVALID_HANDLE_VALUE)
    {
        return TRUE;
    }
    const BOOL closed = CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    return closed ? TRUE : ReportLastError(pError);
}
