#pragma once

#include "StdioFileSystem.h"

namespace emb {

// The C streams opened through the wide-character API, and the system's own file copy.
class Win32FileSystem final : public StdioFileSystem {
public:
    bool CopyReplacing(const std::u16string& from, const std::u16string& to) override;
};

}  // namespace emb
