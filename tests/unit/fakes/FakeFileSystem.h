#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FileSystem.h"

namespace emb::testing {

// Files in memory, with the ways a real disk refuses or fails.
class FakeFileSystem final : public FileSystem {
public:
    using Bytes = std::vector<std::uint8_t>;

    std::map<std::u16string, Bytes> files;
    std::set<std::u16string> readOnly;
    std::set<std::u16string> locked;   // held by another program: no open at all
    std::set<std::u16string> folders;  // where new files can be made; none kept: anywhere
    int failingWrite = 0;              // the n-th write (1-based) writes half and fails
    int corruptingWrite = 0;           // the n-th write silently changes a byte; -1: every write
    bool failingClose = false;         // a close after a write fails
    bool failingCopy = false;          // copies and whole-file writes fail

    std::unique_ptr<RandomAccessFile> OpenForUpdate(const std::u16string& path) override {
        return Open(path, true);
    }
    std::unique_ptr<RandomAccessFile> OpenForReading(const std::u16string& path) override {
        return Open(path, false);
    }
    std::unique_ptr<RandomAccessFile> CreateNew(const std::u16string& path) override {
        const bool room = folders.empty() || folders.contains(path.substr(0, path.rfind(u'\\')));
        return files.contains(path) || !room ? nullptr : (files[path], Open(path, true));
    }
    bool CopyReplacing(const std::u16string& from, const std::u16string& to) override {
        if (failingCopy || !files.contains(from) || locked.contains(from)) {
            return false;
        }
        files[to] = files[from];
        return true;
    }
    bool WriteReplacing(const std::u16string& path, std::span<const std::uint8_t> bytes) override {
        return !failingCopy && (files[path].assign(bytes.begin(), bytes.end()), true);
    }
    // Made when the folder above it is kept.
    void CreateFolder(const std::u16string& path) override {
        const std::u16string folder = path.substr(0, path.find_last_not_of(u'\\') + 1);
        if (folders.contains(folder.substr(0, folder.rfind(u'\\')))) {
            folders.insert(folder);
        }
    }

private:
    struct File final : RandomAccessFile {
        File(FakeFileSystem& d, Bytes& b) : disk(d), bytes(b) {}

        std::size_t ReadAt(std::uint64_t at, std::span<std::uint8_t> out) override {
            const std::size_t from = std::min<std::size_t>(at, bytes.size());
            const std::size_t n = std::min(out.size(), bytes.size() - from);
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), n, out.begin());
            return n;
        }
        bool WriteAt(std::uint64_t at, std::span<const std::uint8_t> data) override {
            const int write = ++disk.writes;
            const std::size_t n = write == disk.failingWrite ? data.size() / 2 : data.size();
            bytes.resize(std::max<std::size_t>(bytes.size(), at + n));
            std::copy_n(data.begin(), n, bytes.begin() + static_cast<std::ptrdiff_t>(at));
            if (n > 0 && (write == disk.corruptingWrite || disk.corruptingWrite < 0)) {
                bytes[at + n / 2] ^= 0x01;  // a disk that lies: the write "succeeds"
            }
            wrote = true;
            return n == data.size();
        }
        bool Close() override { return !(wrote && disk.failingClose); }

        FakeFileSystem& disk;
        Bytes& bytes;
        bool wrote = false;
    };

    std::unique_ptr<RandomAccessFile> Open(const std::u16string& path, bool writable) {
        const bool refused = locked.contains(path) || (writable && readOnly.contains(path));
        return !files.contains(path) || refused ? nullptr
                                                : std::make_unique<File>(*this, files[path]);
    }

    int writes = 0;
};

}  // namespace emb::testing
