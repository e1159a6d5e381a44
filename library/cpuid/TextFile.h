// Writing an ANSI text to a file in one of five encodings, with or without a byte-order mark, through a
// buffered archive. The encoders are in TextEncoding.h, the system's code pages in WindowsCodePages.h.
#pragma once

#include <cstdint>

#include "TextEncoding.h"
#include "afxfile.h"

// The empty root of the library's own classes.
class CSortBox : public CObject
{
public:
    CSortBox() noexcept = default;
    ~CSortBox() override = default;
};

class CTextFile : public CSortBox
{
public:
    CTextFile() noexcept = default;
    ~CTextFile() override; // closes, then deletes the file object

    // Creates path (truncating an existing file, denying others write access) for the encoding in the low
    // byte of mode and writes the byte-order mark when one is due. Returns 0, or the positive cause of the
    // failure (CFileException codes; 1 also when memory is exhausted).
    std::int32_t OpenForWrite(const wchar_t* path, std::int32_t mode) noexcept;
    // Converts text from the ANSI code page and hands it to the archive in the chosen encoding. Returns
    // the bytes handed over, the mark not counted: 0 for an unsupported encoding or an empty text. A
    // failure (memory for the conversion, the file refusing bytes) is kept for Close to report.
    std::int32_t WriteText(const char* text) noexcept;
    // Closes archive (flushing it) and file; safe when nothing is open. Returns 0, or the cause of the
    // first failure since OpenForWrite: a write, flush or close the file refused, or memory exhausted (1).
    std::int32_t Close() noexcept;

    BOOL m_bWriteBom = FALSE;                 // write a byte-order mark when the file is opened
    char* m_pReadBuffer = nullptr;            // prepared when the archive loads (unsupported encodings)
    int m_nReadExtra = 2;                     // bytes added to the file length when sizing it
    int m_nEncoding = zvt::kEncodingNone;     // zvt::kEncoding*
    int m_nReadSize = 0;                      // bytes at m_pReadBuffer
    CFile* m_pFile = nullptr;                 // the open file; replaced by the next OpenForWrite
    CArchive* m_pArchive = nullptr;           // buffered archive over m_pFile
    int m_nWriteError = CFileException::none; // first failure while writing, reported by Close

private:
    void Prepare() noexcept;
    void NoteFailure(int cause) noexcept;
};
