#include "FakeFileSystem.h"

#include <algorithm>

#include "Utf8.h"

namespace emb::testing {

class FakeFile final : public RandomAccessFile {
public:
    FakeFile(FakeFileSystem& owner, std::u16string path, bool writable)
        : m_owner(owner), m_path(std::move(path)), m_writable(writable) {
        ++m_owner.m_openFiles;
    }
    ~FakeFile() override { Close(); }

    std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        const FakeFileSystem::Bytes& bytes = m_owner.files[m_path];
        if (m_closed || offset >= bytes.size()) {
            return 0;
        }
        const std::size_t count = std::min<std::size_t>(out.size(), bytes.size() - offset);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, out.begin());
        return count;
    }

    bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        m_owner.log.push_back("write " + ToUtf8(m_path));
        if (m_closed || !m_writable) {
            return false;
        }
        m_wrote = true;
        const bool fails = ++m_owner.m_writes == m_owner.failingWrite;
        const std::size_t count = fails ? bytes.size() / 2 : bytes.size();
        FakeFileSystem::Bytes& file = m_owner.files[m_path];
        if (file.size() < offset + count) {
            file.resize(offset + count);
        }
        std::copy_n(bytes.begin(), count, file.begin() + static_cast<std::ptrdiff_t>(offset));
        if ((m_owner.m_writes == m_owner.corruptingWrite || m_owner.corruptingEveryWrite) &&
            count > 0) {
            file[offset + count / 2] ^= 0x01;  // a disk that lies: the write "succeeds"
        }
        return !fails;
    }

    bool Close() override {
        if (m_closed) {
            return true;
        }
        m_closed = true;
        --m_owner.m_openFiles;
        m_owner.log.push_back("close " + ToUtf8(m_path));
        return !(m_wrote && m_owner.failingClose);
    }

private:
    FakeFileSystem& m_owner;
    std::u16string m_path;
    bool m_writable;
    bool m_wrote = false;
    bool m_closed = false;
};

std::unique_ptr<RandomAccessFile> FakeFileSystem::Open(const std::u16string& path, bool writable) {
    if (!files.contains(path) || locked.contains(path) || (writable && readOnly.contains(path))) {
        return nullptr;
    }
    return std::make_unique<FakeFile>(*this, path, writable);
}

std::unique_ptr<RandomAccessFile> FakeFileSystem::OpenForUpdate(const std::u16string& path) {
    log.push_back("update " + ToUtf8(path));
    return Open(path, true);
}

std::unique_ptr<RandomAccessFile> FakeFileSystem::OpenForReading(const std::u16string& path) {
    log.push_back("read " + ToUtf8(path));
    return Open(path, false);
}

std::unique_ptr<RandomAccessFile> FakeFileSystem::CreateNew(const std::u16string& path) {
    log.push_back("create " + ToUtf8(path));
    const std::u16string folder = path.substr(0, path.rfind(u'\\'));
    if (path.empty() || files.contains(path) || locked.contains(path) ||
        (!folders.empty() && !folders.contains(folder))) {
        return nullptr;
    }
    files[path];
    return std::make_unique<FakeFile>(*this, path, true);
}

bool FakeFileSystem::CopyReplacing(const std::u16string& from, const std::u16string& to) {
    log.push_back("copy " + ToUtf8(from) + " " + ToUtf8(to));
    if (failingCopy || !files.contains(from) || locked.contains(from) || readOnly.contains(to)) {
        return false;
    }
    files[to] = files[from];
    return true;
}

void FakeFileSystem::CreateFolder(const std::u16string& path) {
    log.push_back("folder " + ToUtf8(path));
    const std::u16string folder = path.ends_with(u'\\') ? path.substr(0, path.size() - 1) : path;
    const std::size_t above = folder.rfind(u'\\');
    if (!folders.empty() && above != std::u16string::npos &&
        folders.contains(folder.substr(0, above))) {
        folders.insert(folder);
    }
}

}  // namespace emb::testing
