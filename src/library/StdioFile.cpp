#include "StdioFile.h"

#include <climits>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "Utf8.h"

namespace emb {
namespace {

// Exclusive creation through the descriptor layer: the C streams' "x" mode is missing from
// older Windows runtimes.
std::FILE* CreateNewStream(const std::u16string& path) {
#ifdef _WIN32
    const int fd = _wopen(reinterpret_cast<const wchar_t*>(path.c_str()),
                          _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "w+b");
    if (file == nullptr) {
        _close(fd);
    }
    return file;
#else
    const int fd = ::open(ToUtf8(path).c_str(), O_CREAT | O_EXCL | O_RDWR, 0666);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "w+b");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
#endif
}

std::FILE* OpenStream(const std::u16string& path, StdioFile::Mode mode) {
    if (mode == StdioFile::Mode::CreateNew) {
        return CreateNewStream(path);
    }
#ifdef _WIN32
    const wchar_t* wideMode = mode == StdioFile::Mode::Read ? L"rb" : L"r+b";
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), wideMode);
#else
    const char* narrowMode = mode == StdioFile::Mode::Read ? "rb" : "r+b";
    return std::fopen(ToUtf8(path).c_str(), narrowMode);
#endif
}

}  // namespace

std::unique_ptr<StdioFile> StdioFile::Open(const std::u16string& path, Mode mode) {
    // An embedded NUL would silently open another file than the one named.
    if (path.empty() || path.find(u'\0') != std::u16string::npos) {
        return nullptr;
    }
    std::FILE* file = OpenStream(path, mode);
    if (file == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<StdioFile>(new StdioFile(file));
}

StdioFile::~StdioFile() {
    Close();
}

bool StdioFile::SeekTo(std::uint64_t offset) {
    // Offsets of the format stay far below 2 GiB, the limit of a 32-bit long.
    if (m_file == nullptr || offset > static_cast<std::uint64_t>(LONG_MAX)) {
        return false;
    }
    return std::fseek(m_file, static_cast<long>(offset), SEEK_SET) == 0;
}

std::size_t StdioFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!SeekTo(offset)) {
        return 0;
    }
    return std::fread(out.data(), 1, out.size(), m_file);
}

bool StdioFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    if (!SeekTo(offset)) {
        return false;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
}

std::optional<std::uint64_t> StdioFile::Size() {
    if (m_file == nullptr || std::fseek(m_file, 0, SEEK_END) != 0) {
        return std::nullopt;
    }
    const long end = std::ftell(m_file);
    if (end < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(end);
}

bool StdioFile::Close() {
    if (m_file == nullptr) {
        return true;
    }
    const bool flushed = std::fflush(m_file) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return flushed && closed;
}

}  // namespace emb
