#pragma once

#include <functional>

#include "SystemView.h"

namespace emb {

// The folders of the running Windows system, found through the wide-character API.
class Win32SystemView final : public SystemView {
public:
    using MessageSink = std::function<void(const std::u16string&)>;

    explicit Win32SystemView(MessageSink showMessage) : m_showMessage(std::move(showMessage)) {}

    std::u16string WindowsDirectory() override;
    std::u16string ProfileFolder() override;
    std::u16string OtherSystemDirectory() override;
    std::optional<std::uint32_t> FindFirstAttributes(const std::u16string& path) override;
    void CreateFolder(const std::u16string& path) override;
    void ShowMessage(const std::u16string& text) override { m_showMessage(text); }

private:
    MessageSink m_showMessage;
};

}  // namespace emb
