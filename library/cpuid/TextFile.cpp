// The text file: creation, writing through the system's code pages, and closing with the first failure.
#include "TextFile.h"

#include <cstdlib>

#include "WindowsCodePages.h"

namespace
{

// The causes pass through zvtGetIdentity unchanged as its documented report results.
static_assert(CFileException::genericException == ZVT_REPORT_GENERIC &&
              CFileException::fileNotFound == ZVT_REPORT_NOT_FOUND &&
              CFileException::badPath == ZVT_REPORT_BAD_PATH &&
              CFileException::tooManyOpenFiles == ZVT_REPORT_TOO_MANY_FILES &&
              CFileException::accessDenied == ZVT_REPORT_ACCESS_DENIED &&
              CFileException::invalidFile == ZVT_REPORT_INVALID_FILE &&
              CFileException::badSeek == ZVT_REPORT_BAD_SEEK &&
              CFileException::hardIO == ZVT_REPORT_HARD_IO &&
              CFileException::sharingViolation == ZVT_REPORT_SHARING &&
              CFileException::lockViolation == ZVT_REPORT_LOCKED &&
              CFileException::diskFull == ZVT_REPORT_DISK_FULL);

constexpr UINT kCreateFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite; // 0x1021

class CArchiveSink final : public zvt::CByteSink
{
public:
    explicit CArchiveSink(CArchive& archive) noexcept : m_archive(archive)
    {
    }
    bool Write(const std::uint8_t* bytes, std::size_t count) noexcept override
    {
        return m_archive.Write(bytes, static_cast<UINT>(count)) != FALSE;
    }

private:
    CArchive& m_archive;
};

} // namespace

CTextFile::~CTextFile()
{
    Close();
    delete m_pFile;
    m_pFile = nullptr;
}

std::int32_t CTextFile::OpenForWrite(const wchar_t* path, std::int32_t mode) noexcept
{
    Close();
    m_nEncoding = zvt::EncodingOfMode(mode);
    m_bWriteBom = zvt::ModeWritesBom(mode) ? TRUE : FALSE;
    delete m_pFile;
    m_pFile = new CFile;
    if (m_pFile == nullptr)
    {
        return CFileException::genericException;
    }
    CFileException error;
    if (!m_pFile->Open(path, kCreateFlags, &error))
    {
        return error.m_cause > 0 ? error.m_cause : CFileException::genericException;
    }
    m_pArchive = new CArchive(m_pFile, m_nEncoding != zvt::kEncodingNone ? CArchive::store : CArchive::load);
    if (m_pArchive == nullptr)
    {
        m_pFile->Close(); // created and left empty
        return CFileException::genericException;
    }
    Prepare();
    return 0;
}

void CTextFile::Prepare() noexcept
{
    if (m_pFile->GetPosition() != 0)
    {
        m_pFile->Seek(0, CFile::begin);
    }
    if (m_pArchive->IsStoring())
    {
        std::uint8_t mark[zvt::kMaxByteOrderMark];
        const std::size_t length = m_bWriteBom ? zvt::ByteOrderMark(m_nEncoding, mark) : 0;
        if (length > 0)
        {
            m_pArchive->Write(mark, static_cast<UINT>(length)); // a refusal stays in the archive
        }
        return;
    }
    const LONGLONG length = m_pFile->GetLength();
    if (m_pReadBuffer == nullptr && length >= 0 && length != m_nReadExtra &&
        length < INT32_MAX - m_nReadExtra)
    {
        const auto size = static_cast<int>(length) + m_nReadExtra;
        m_pReadBuffer = static_cast<char*>(std::calloc(static_cast<std::size_t>(size), 1));
        m_nReadSize = m_pReadBuffer != nullptr ? size : 0;
    }
}

std::int32_t CTextFile::WriteText(const char* text) noexcept
{
    if (m_pArchive == nullptr || !m_pArchive->IsStoring() || m_nEncoding == zvt::kEncodingNone)
    {
        return 0;
    }
    zvt::CWindowsCodePages codePages;
    CArchiveSink sink(*m_pArchive);
    const zvt::TextWriteResult result = zvt::WriteAnsiText(m_nEncoding, text, codePages, sink);
    if (result.memoryExhausted)
    {
        NoteFailure(CFileException::genericException);
    }
    return static_cast<std::int32_t>(result.bytes);
}

void CTextFile::NoteFailure(int cause) noexcept
{
    if (m_nWriteError == CFileException::none)
    {
        m_nWriteError = cause;
    }
}

std::int32_t CTextFile::Close() noexcept
{
    int failure = m_nWriteError;
    m_nWriteError = CFileException::none;
    if (m_pArchive != nullptr)
    {
        if (!m_pArchive->Close() && failure == CFileException::none)
        {
            failure = m_pArchive->GetError();
        }
        delete m_pArchive;
        m_pArchive = nullptr;
    }
    if (m_pFile != nullptr && m_pFile->m_hFile != INVALID_HANDLE_VALUE)
    {
        CFileException error;
        if (!m_pFile->Close(&error) && failure == CFileException::none)
        {
            failure = error.m_cause;
        }
        m_nEncoding = zvt::kEncodingNone;
        m_bWriteBom = FALSE;
    }
    if (m_pReadBuffer != nullptr)
    {
        std::free(m_pReadBuffer);
        m_pReadBuffer = nullptr;
        m_nReadSize = 0;
    }
    return failure;
}
