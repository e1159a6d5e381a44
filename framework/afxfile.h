// Files for the stand-in class library: a file object over a Win32 handle, its failure causes, and a
// buffered archive. Nothing here throws: failures come back as results with a cause code.
#pragma once

#include <cstddef>

#include "afx.h"

// Heap objects of the framework allocate without throwing: a new-expression yields null when memory is
// exhausted, and the caller checks.
struct CNoThrowHeap
{
    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* pObject) noexcept;
};

// Why a file operation failed. The causes are numbered as the class library numbers them, so callers
// may pass them on as results.
class CFileException : public CObject
{
public:
    enum
    {
        none = 0,
        genericException = 1, // anything not listed below, and memory exhausted
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException() = default;
    ~CFileException() override = default;

    // The cause of a Win32 error code (GetLastError); genericException for codes without one.
    static int OsErrorToException(DWORD osError) noexcept;
    // Sets m_cause from a Win32 error and keeps the error itself.
    void SetOsError(DWORD osError) noexcept;

    int m_cause = none;
    LONG m_lOsError = -1;
};

class CFile : public CObject, public CNoThrowHeap
{
public:
    enum OpenFlags : UINT
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };
    enum SeekPosition : UINT
    {
        begin = 0,
        current = 1,
        end = 2,
    };

    CFile() noexcept = default;
    ~CFile() override; // closes a handle that is still open, ignoring failures

    // Opens or creates path. modeCreate alone truncates an existing file. On failure returns FALSE, leaves
    // the handle invalid and, when pError is given, says why.
    BOOL Open(const wchar_t* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) noexcept;
    // Reads up to nCount bytes; returns how many came (0 at the end or on failure, see pError).
    UINT Read(void* lpBuf, UINT nCount, CFileException* pError = nullptr) noexcept;
    // Writes all nCount bytes or fails (disk full, volume gone ...).
    BOOL Write(const void* lpBuf, UINT nCount, CFileException* pError = nullptr) noexcept;
    // The new position, or -1 with pError set.
    LONGLONG Seek(LONGLONG lOff, UINT nFrom, CFileException* pError = nullptr) noexcept;
    LONGLONG GetPosition() const noexcept;
    LONGLONG GetLength() const noexcept;
    // Closes the handle; it is invalid afterwards whatever the outcome.
    BOOL Close(CFileException* pError = nullptr) noexcept;

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

// A buffered stream over a file: in store mode bytes gather in a 4096-byte buffer and go to the file when
// it fills, on Flush and on Close; in load mode the buffer is filled from the file. The first failure is
// kept: later writes are refused and Close reports it.
class CArchive : public CNoThrowHeap
{
public:
    enum Mode : UINT
    {
        store = 0,
        load = 1,
    };
    static constexpr UINT kBufferSize = 4096;

    CArchive(CFile* pFile, UINT nMode) noexcept;
    ~CArchive(); // closes (and so flushes) when Close was not called
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsStoring() const noexcept
    {
        return m_nMode == store;
    }
    BOOL IsLoading() const noexcept
    {
        return m_nMode == load;
    }
    CFile* GetFile() const noexcept
    {
        return m_pFile;
    }
    // The cause of the first failure (CFileException codes); 0 while all went well.
    int GetError() const noexcept
    {
        return m_nError;
    }

    // Store mode: takes nCount bytes; FALSE when the archive is loading, closed or has failed.
    BOOL Write(const void* lpBuf, UINT nCount) noexcept;
    // Load mode: returns the bytes read, fewer at the end of the file or on a failure.
    UINT Read(void* lpBuf, UINT nMax) noexcept;
    // Store mode: hands the buffered bytes to the file.
    BOOL Flush() noexcept;
    // Flushes in store mode and detaches from the file (which stays open). FALSE when anything failed.
    BOOL Close() noexcept;

private:
    BOOL Fail(const CFileException& error) noexcept;

    CFile* m_pFile;
    UINT m_nMode;
    int m_nError = CFileException::none;
    UINT m_nUsed = 0; // store: bytes waiting; load: bytes held
    UINT m_nNext = 0; // load: the next byte to hand out
    BYTE m_buffer[kBufferSize];
};
