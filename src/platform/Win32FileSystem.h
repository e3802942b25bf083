#pragma once

#include "StdioFileSystem.h"

namespace emb {

// The C streams opened through the wide-character API, and the system's own file copy and
// folder creation.
class Win32FileSystem final : public StdioFileSystem {
public:
    bool CopyReplacing(const std::u16string& from, const std::u16string& to) override;
    void CreateFolder(const std::u16string& path) override;
};

}  // namespace emb
