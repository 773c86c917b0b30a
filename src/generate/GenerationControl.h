#pragma once

#include <atomic>

namespace pictaven {

// The switches shared by the generating thread and the window: whether a generation runs, and
// the Cancel request. Safe from any thread. The front end keeps one for as long as it may
// generate, checks running() before it builds a job, and gives it to every AlbumGenerator.
class GenerationControl {
public:
    // Claims the control for a generation: false when one is running already. A Cancel request
    // left from before (Cancel pressed while nothing ran) is dropped, so that it cannot end the
    // new generation at its first photo.
    bool tryBegin();
    // Gives the control back at the end of a generation.
    void end() { m_running.store(false); }
    bool running() const { return m_running.load(); }

    // The Cancel button. Takes effect at the running generation's next check.
    void requestCancel() { m_cancel.store(true); }
    // The request itself, which the generation's loops read and clear where they stop.
    std::atomic<bool>& cancelRequest() { return m_cancel; }

private:
    std::atomic<bool> m_running = false;
    std::atomic<bool> m_cancel = false;
};

} // namespace pictaven
