#include "CliTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

#include "EmbTool.h"
#include "Utf8.h"

namespace embtool::test {

TempFolder::TempFolder() {
    std::random_device seed;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("embtool-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(m_path)) {
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::u16string TempFolder::Path(std::u16string_view name) const {
    return (m_path / std::filesystem::path(std::u16string(name))).u16string();
}

std::vector<std::u16string> TempFolder::Names() const {
    std::vector<std::u16string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
        names.push_back(entry.path().filename().u16string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteFile(const std::u16string& path, std::string_view bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        throw std::runtime_error("cannot write a test file");
    }
}

void WriteFile(const std::u16string& path, const Bytes& bytes) {
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::optional<Bytes> ReadFile(const std::u16string& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

RunResult RunTool(const std::vector<std::u16string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    RunResult result;
    result.status = RunEmbTool(args, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::string U8(std::u16string_view text) {
    return emb::ToUtf8(text);
}

void PutUnits(Bytes& bytes, std::size_t offset, std::u16string_view units) {
    if (bytes.size() < offset + 2 * units.size()) {
        bytes.resize(offset + 2 * units.size());
    }
    for (const char16_t unit : units) {
        bytes[offset++] = static_cast<std::uint8_t>(unit & 0xFF);
        bytes[offset++] = static_cast<std::uint8_t>(unit >> 8);
    }
}

void PutCount(Bytes& bytes, std::uint16_t count) {
    PutUnits(bytes, 0, std::u16string(1, static_cast<char16_t>(count)));
}

std::string DumpText(const std::vector<emb::WordRecord>& records) {
    std::string text;
    for (const emb::WordRecord& record : records) {
        text += U8(record.code) + '\t' + U8(record.phrase) + '\n';
    }
    return text;
}

}  // namespace embtool::test
