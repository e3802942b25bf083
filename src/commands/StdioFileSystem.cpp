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

void StdioFileSystem::CreateFolder(const std::u16string& path) {
    std::error_code ignored;
    std::filesystem::create_directory(std::filesystem::path(path), ignored);
}

}  // namespace emb
