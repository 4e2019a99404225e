#include "win32/background_work.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "win32/window_class.h"

namespace plimex::win32 {
namespace {

constexpr wchar_t kClassName[] = L"PlimexBackgroundWork";
constexpr UINT kResultsReady = WM_APP + 1;

}  // namespace

// Results wait here rather than in the message itself, so that a message
// never carries anything to free; those left when the program ends go with it.
struct Win32BackgroundWork::Results {
    std::mutex mutex;
    std::vector<Delivery> waiting;

    void Add(Delivery delivery) {
        const std::lock_guard lock(mutex);
        waiting.push_back(std::move(delivery));
    }
    std::vector<Delivery> Take() {
        const std::lock_guard lock(mutex);
        return std::exchange(waiting, {});
    }
};

Win32BackgroundWork::Win32BackgroundWork(HINSTANCE instance, Diagnostics& diagnostics)
    : results_(std::make_shared<Results>()),
      jobs_("Win32BackgroundWork", diagnostics, [results = results_, this](Delivery delivery) {
          results->Add(std::move(delivery));
          PostMessageW(window_.get(), kResultsReady, 0, 0);
      }) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    window_.reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, results_.get()));
    if (!window_) {
        diagnostics.ReportFailure("CreateWindowExW", "",
                                  "no window for the results of background reads (error " +
                                      std::to_string(GetLastError()) + ")");
    }
}

LRESULT CALLBACK Win32BackgroundWork::Procedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* results = reinterpret_cast<Results*>(CreationData(window, message, lParam));
    if (message == kResultsReady && results != nullptr) {
        for (const Delivery& delivery : results->Take()) {
            delivery();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace plimex::win32
