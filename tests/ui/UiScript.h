#pragma once

#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>

namespace uitest {

// A user's session as a list of steps, run one per timer tick from whatever message loop is
// running: the modal dialog's, a message box's or a file dialog's. Actions post the messages a
// mouse or keyboard would produce, so everything goes through the real loops.
class UiScript {
public:
    UiScript();
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    UiScript& Then(std::function<void()> action);
    UiScript& WaitUntil(std::string what, std::function<bool()> condition);
    // Starts ticking; steps run while a modal loop of this thread is running.
    void Start();
    bool Finished() const { return m_steps.empty(); }
    // What the script is waiting for, or the empty text.
    std::string Waiting() const { return m_steps.empty() ? std::string() : m_steps.front().what; }
    void Clear() { m_steps.clear(); }

private:
    struct Step {
        std::string what;  // empty for an action
        std::function<bool()> run;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
    void RunNextStep();
    void Abandon();

    std::deque<Step> m_steps;
    UINT_PTR m_timer = 0;
    std::chrono::steady_clock::time_point m_stepStarted;
    static UiScript* s_running;
};

}  // namespace uitest
