#include "ReplaceFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <random>
#include <system_error>

#include "FsPath.h"
#include "Utf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace embtool {
namespace {

// A file created by us alone, written through its descriptor.
class NewFile {
public:
    NewFile() = default;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile() { Close(); }

    // Fails with EEXIST when the name is taken: an existing file is never opened.
    static int Create(const std::u16string& path, NewFile& file);

    bool WriteAll(std::span<const std::uint8_t> bytes);
    // Flushes to the disk and closes; false when either failed.
    bool SyncAndClose();

private:
    void Close();

    int m_fd = -1;
};

#ifdef _WIN32

int NewFile::Create(const std::u16string& path, NewFile& file) {
    const std::wstring wide(path.begin(), path.end());
    // _wsopen, not _wsopen_s: Windows XP's msvcrt.dll has no _wsopen_s.
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    file.m_fd = _wsopen(wide.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                        _SH_DENYRW, _S_IREAD | _S_IWRITE);
    return file.m_fd < 0 ? errno : 0;
}

bool NewFile::WriteAll(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<unsigned int>(std::min<std::size_t>(bytes.size(), INT_MAX));
        const int written = _write(m_fd, bytes.data(), chunk);
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;  // nothing written and no error reported
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool NewFile::SyncAndClose() {
    const bool synced = _commit(m_fd) == 0;
    const bool closed = _close(m_fd) == 0;
    m_fd = -1;
    return synced && closed;
}

void NewFile::Close() {
    if (m_fd >= 0) {
        _close(m_fd);
        m_fd = -1;
    }
}

#else

int NewFile::Create(const std::u16string& path, NewFile& file) {
    file.m_fd = ::open(emb::ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return file.m_fd < 0 ? errno : 0;
}

bool NewFile::WriteAll(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;  // nothing written and no error reported
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

bool NewFile::SyncAndClose() {
    const bool synced = ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    return synced && closed;
}

void NewFile::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

#endif

std::u16string TempName(const std::u16string& path, std::uint32_t tag) {
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    std::u16string name = path + u".embtool-";
    for (int shift = 28; shift >= 0; shift -= 4) {
        name.push_back(kHex[(tag >> shift) & 0xF]);
    }
    return name + u".tmp";
}

std::string Reason(int error) {
    return std::generic_category().message(error);
}

ReplaceResult Failure(std::string message) {
    return ReplaceResult{false, std::move(message)};
}

}  // namespace

ReplaceResult ReplaceFileContents(const std::u16string& path, std::span<const std::uint8_t> bytes) {
    // Appending to the name keeps the new file in the target's folder, so the rename never
    // crosses file systems.
    std::random_device seed;
    std::mt19937 tags(seed());
    NewFile file;
    std::u16string tempPath;
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt) {
        tempPath = TempName(path, static_cast<std::uint32_t>(tags()));
        error = NewFile::Create(tempPath, file);
    }
    if (error != 0) {
        return Failure("cannot create a new file beside " + DisplayPath(path) + ": " +
                       Reason(error));
    }

    const auto discard = [&tempPath] {
        std::error_code ignored;
        std::filesystem::remove(ToFsPath(tempPath), ignored);
    };
    if (!file.WriteAll(bytes)) {
        const int writeError = errno;
        file.SyncAndClose();
        discard();
        return Failure("cannot write " + DisplayPath(path) + ": " + Reason(writeError));
    }
    if (!file.SyncAndClose()) {
        const int closeError = errno;
        discard();
        return Failure("cannot write " + DisplayPath(path) + ": " + Reason(closeError));
    }

    std::error_code renameError;
    std::filesystem::rename(ToFsPath(tempPath), ToFsPath(path), renameError);
    if (renameError) {
        discard();
        return Failure("cannot replace " + DisplayPath(path) + " with the new file");
    }
    return ReplaceResult{true, {}};
}

}  // namespace embtool
