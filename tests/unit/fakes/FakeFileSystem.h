#pragma once

#include <map>
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
    std::set<std::u16string> readOnly;  // can be read, not opened for writing
    std::set<std::u16string> locked;    // held by another program: no open at all
    std::set<std::u16string> folders;   // where new files may be created; empty: anywhere
    int failingWrite = 0;       // the n-th write from now (1-based) writes half and fails; 0: none
    bool failingClose = false;  // every close after a write reports failure
    int corruptingWrite = 0;    // the n-th write from now (1-based) silently changes a byte
    bool corruptingEveryWrite = false;
    bool failingCopy = false;
    std::vector<std::string> log;  // one entry per call, in order

    std::unique_ptr<RandomAccessFile> OpenForUpdate(const std::u16string& path) override;
    std::unique_ptr<RandomAccessFile> OpenForReading(const std::u16string& path) override;
    std::unique_ptr<RandomAccessFile> CreateNew(const std::u16string& path) override;
    bool CopyReplacing(const std::u16string& from, const std::u16string& to) override;
    // Adds the folder to folders when folders are kept and the one above it is there.
    void CreateFolder(const std::u16string& path) override;

    int OpenFiles() const { return m_openFiles; }

private:
    friend class FakeFile;
    std::unique_ptr<RandomAccessFile> Open(const std::u16string& path, bool writable);

    int m_writes = 0;
    int m_openFiles = 0;
};

}  // namespace emb::testing
