#include "win32/single_instance.h"

#include <string>

#include "win32/form1_window.h"

namespace plimex::win32 {
namespace {

std::wstring MutexName() {
    return L"Local\\Plimex2000-" + std::to_wstring(SingleInstance::FolderNumber());
}

BOOL CALLBACK PostShowMessage(HWND window, LPARAM) {
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (std::wstring_view(className) == Win32Form1Window::kClassName) {
        PostMessageW(window, SingleInstance::ShowMessage(), SingleInstance::FolderNumber(), 0);
    }
    return TRUE;
}

}  // namespace

SingleInstance::SingleInstance(Diagnostics& diagnostics)
    : mutex_(CreateMutexW(nullptr, FALSE, MutexName().c_str())),
      claimed_(GetLastError() != ERROR_ALREADY_EXISTS) {
    if (!mutex_) {
        diagnostics.ReportFailure("CreateMutexW",
                                  "Local\\Plimex2000-" + std::to_string(FolderNumber()),
                                  "no mutex for this folder; a second copy in this folder is "
                                  "not prevented");
    }
}

void SingleInstance::ShowRunningCopy() const {
    EnumWindows(PostShowMessage, 0);
}

UINT SingleInstance::ShowMessage() {
    return RegisterWindowMessageW(L"Plimex2000.ShowWindow");
}

// FNV-1a of the folder's full path in upper case.
std::uint32_t SingleInstance::FolderNumber() {
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    std::uint32_t number = 2166136261u;
    for (wchar_t c : folder) {
        number = (number ^ static_cast<std::uint32_t>(c)) * 16777619u;
    }
    return number;
}

}  // namespace plimex::win32
