#include "StdioFileSystem.h"

#include <filesystem>
#include <system_error>

#include "StdioFile.h"

namespace emb {

std::unique_ptr<RandomAccessFile> StdioFileSystem::OpenForUpdate(const std::u16string& path) {
    return StdioFile::Open(path, StdioFile::Mode::Update);
}

std::unique_ptr<RandomAccessFile> StdioFileSystem::OpenForReading(const std::u16string& path) {
    return StdioFile::Open(path, StdioFile::Mode::Read);
}

std::unique_ptr<RandomAccessFile> StdioFileSystem::CreateNew(const std::u16string& path) {
    return StdioFile::Open(path, StdioFile::Mode::CreateNew);
}

bool StdioFileSystem::CopyReplacing(const std::u16string& from, const std::u16string& to) {
    std::error_code error;
    return std::filesystem::copy_file(std::filesystem::path(from), std::filesystem::path(to),
                                      std::filesystem::copy_options::overwrite_existing, error) &&
           !error;
}

bool StdioFileSystem::WriteReplacing(const std::u16string& path,
                                     std::span<const std::uint8_t> bytes) {
    // Beside the file, so that the rename never crosses file systems.
    std::u16string temporary;
    std::unique_ptr<RandomAccessFile> file;
    for (char16_t tag = u'a'; tag <= u'z' && !file; ++tag) {
        temporary = path + u".new-" + tag;
        file = CreateNew(temporary);
    }
    if (!file) {
        return false;
    }
    const bool written = file->WriteAt(0, bytes);
    std::error_code error;
    if (file->Close() && written) {
        std::filesystem::rename(std::filesystem::path(temporary), std::filesystem::path(path),
                                error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(std::filesystem::path(temporary), error);
    return false;
}

void StdioFileSystem::CreateFolder(const std::u16string& path) {
    std::error_code ignored;
    std::filesystem::create_directory(std::filesystem::path(path), ignored);
}

}  // namespace emb
