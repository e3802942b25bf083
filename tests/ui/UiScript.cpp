#include "UiScript.h"

#include <gtest/gtest.h>

#include "WindowFinder.h"

namespace uitest {
namespace {

constexpr UINT kTickMilliseconds = 15;
constexpr auto kStepTimeout = std::chrono::seconds(20);

}  // namespace

UiScript* UiScript::s_running = nullptr;

UiScript::UiScript() = default;

UiScript::~UiScript() {
    if (m_timer != 0) {
        ::KillTimer(nullptr, m_timer);
    }
    if (s_running == this) {
        s_running = nullptr;
    }
}

UiScript& UiScript::Then(std::function<void()> action) {
    m_steps.push_back({{}, [action = std::move(action)] {
                           action();
                           return true;
                       }});
    return *this;
}

UiScript& UiScript::WaitUntil(std::string what, std::function<bool()> condition) {
    m_steps.push_back({std::move(what), std::move(condition)});
    return *this;
}

void UiScript::Start() {
    s_running = this;
    m_stepStarted = std::chrono::steady_clock::now();
    m_timer = ::SetTimer(nullptr, 0, kTickMilliseconds, &UiScript::Tick);
}

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (s_running != nullptr) {
        s_running->RunNextStep();
    }
}

void UiScript::RunNextStep() {
    if (m_steps.empty()) {
        return;
    }
    if (m_steps.front().what.empty()) {
        // Taken off first: an action may start a modal loop whose ticks run the next steps.
        Step action = std::move(m_steps.front());
        m_steps.pop_front();
        m_stepStarted = std::chrono::steady_clock::now();
        action.run();
        return;
    }
    if (m_steps.front().run()) {
        m_steps.pop_front();
        m_stepStarted = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - m_stepStarted > kStepTimeout) {
        ADD_FAILURE() << "timed out waiting until " << m_steps.front().what;
        Abandon();
    }
}

void UiScript::Abandon() {
    m_steps.clear();
    CloseEveryDialog();
}

}  // namespace uitest
