#include "win32/background_work.h"

#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "win32/window_class.h"

namespace plimex::win32 {
namespace {

constexpr wchar_t kClassName[] = L"PlimexBackgroundWork";
constexpr UINT kResultsReady = WM_APP + 1;

}  // namespace

// What the threads share with the GUI thread; it outlives the work object
// for as long as a thread holds it. Results wait here rather than in the
// message itself, so that a message never carries anything to free.
struct Win32BackgroundWork::Shared {
    std::mutex mutex;
    // Null once the window is going: nothing is posted to a window destroyed.
    HWND window = nullptr;
    std::vector<Delivery> results;
    int running = 0;

    void Deliver(Delivery delivery) {
        const std::lock_guard lock(mutex);
        --running;
        if (window != nullptr) {
            results.push_back(std::move(delivery));
            PostMessageW(window, kResultsReady, 0, 0);
        }
    }
    std::vector<Delivery> TakeResults() {
        const std::lock_guard lock(mutex);
        return std::exchange(results, {});
    }
};

Win32BackgroundWork::Win32BackgroundWork(HINSTANCE instance, Diagnostics& diagnostics)
    : diagnostics_(diagnostics), shared_(std::make_shared<Shared>()) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    window_.reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, shared_.get()));
    if (!window_) {
        diagnostics_.ReportFailure("CreateWindowExW", "",
                                   "no window for the results of background reads (error " +
                                       std::to_string(GetLastError()) + ")");
    }
    shared_->window = window_.get();
}

Win32BackgroundWork::~Win32BackgroundWork() {
    std::vector<Delivery> dropped;
    const std::lock_guard lock(shared_->mutex);
    shared_->window = nullptr;
    dropped.swap(shared_->results);
}

void Win32BackgroundWork::Run(Job job) {
    {
        const std::lock_guard lock(shared_->mutex);
        ++shared_->running;
    }
    try {
        std::thread([shared = shared_, job] { shared->Deliver(job()); }).detach();
    } catch (const std::system_error& error) {
        // No thread to be had: the job runs here, slow as it may be, rather
        // than not at all.
        diagnostics_.ReportFailure("Win32BackgroundWork", "", error.what());
        shared_->Deliver(job());
    }
}

bool Win32BackgroundWork::Busy() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->running > 0;
}

LRESULT CALLBACK Win32BackgroundWork::Procedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* shared = reinterpret_cast<Shared*>(CreationData(window, message, lParam));
    if (message == kResultsReady && shared != nullptr) {
        for (const Delivery& delivery : shared->TakeResults()) {
            delivery();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace plimex::win32
