// The report of a recorded (or natively read) identity, built and encoded by the library's code as its
// text file does it; only the file and its failures are zvtinfo's own.
#include <cerrno>
#include <vector>

#include "CodePage.h"
#include "ReportText.h"
#include "Sources.h"
#include "TextEncoding.h"

namespace zvtinfo
{
namespace
{

class CFileSink final : public zvt::CByteSink
{
public:
    explicit CFileSink(std::FILE* file) noexcept : m_pFile(file)
    {
    }
    bool Write(const std::uint8_t* bytes, std::size_t count) noexcept override
    {
        return std::fwrite(bytes, 1, count, m_pFile) == count;
    }

private:
    std::FILE* m_pFile;
};

// The library's cause for a file that could not be created or written.
std::int32_t FileFailureCause(int error) noexcept
{
    switch (error)
    {
    case ENOENT:
    case ENOTDIR:
    case EINVAL:
        return ZVT_REPORT_BAD_PATH; // a folder on the way is missing, or the name is invalid
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return ZVT_REPORT_ACCESS_DENIED;
    case EMFILE:
    case ENFILE:
        return ZVT_REPORT_TOO_MANY_FILES;
    case ENOSPC:
        return ZVT_REPORT_DISK_FULL;
    case EIO:
        return ZVT_REPORT_HARD_IO;
    default:
        return ZVT_REPORT_GENERIC;
    }
}

} // namespace

std::int32_t WriteRecordedReport(const ZVT_CPU_IDENTITY& identity, const std::string& path, std::int32_t mode)
{
    std::vector<char> text(zvt::kReportCapacity);
    zvt::BuildReport(identity, text.data(), text.size());
    std::FILE* file = OpenFile(path, "wb");
    if (file == nullptr)
    {
        return FileFailureCause(errno);
    }
    const int encoding = zvt::EncodingOfMode(mode);
    std::uint8_t mark[zvt::kMaxByteOrderMark];
    CFileSink sink(file);
    sink.Write(mark, zvt::ModeWritesBom(mode) ? zvt::ByteOrderMark(encoding, mark) : 0);
    const zvt::TextWriteResult result = zvt::WriteAnsiText(encoding, text.data(), ReportCodePages(), sink);
    errno = 0;
    const bool failed = std::ferror(file) != 0;
    const bool closed = std::fclose(file) == 0;
    if (result.memoryExhausted)
    {
        return ZVT_REPORT_GENERIC; // as the library reports it
    }
    if (failed || !closed)
    {
        return FileFailureCause(errno); // the file stays, closed, with what reached it
    }
    return result.bytes > 0 ? ZVT_OK : ZVT_E_REPORT_EMPTY;
}

} // namespace zvtinfo
