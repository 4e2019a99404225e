#include "win32/drive_list_box.h"

#include <cwctype>

namespace plimex::win32 {
namespace {

std::vector<std::wstring> LogicalDriveRoots() {
    std::wstring buffer(GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    buffer.resize(GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data()));
    std::vector<std::wstring> roots;
    for (const wchar_t* root = buffer.c_str(); *root != L'\0'; root += wcslen(root) + 1) {
        roots.emplace_back(root);
    }
    return roots;
}

// Only drives that answer at once are asked for their label: a floppy or an
// empty optical drive would keep the window from appearing.
bool AnswersAtOnce(const std::wstring& root) {
    const UINT type = GetDriveTypeW(root.c_str());
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

std::wstring CurrentDirectory() {
    std::wstring buffer(GetCurrentDirectoryW(0, nullptr), L'\0');
    buffer.resize(GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data()));
    return buffer;
}

}  // namespace

std::wstring DriveEntryText(const std::wstring& root) {
    std::wstring text = root.substr(0, 2);
    text[0] = static_cast<wchar_t>(std::towlower(text[0]));
    wchar_t label[MAX_PATH + 1] = L"";
    if (AnswersAtOnce(root) &&
        GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                              0) &&
        label[0] != L'\0') {
        text += L" [";
        text += label;
        text += L"]";
    }
    return text;
}

Win32DriveListBox::Win32DriveListBox(HWND combo, const Folders& folders)
    : DriveRoots(folders, LogicalDriveRoots()), combo_(combo) {
    for (const std::wstring& root : roots()) {
        const std::wstring text = DriveEntryText(root);
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SetDrive(CurrentDirectory());
}

int Win32DriveListBox::SelectedEntry() const {
    return static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
}

void Win32DriveListBox::SelectEntry(int index) {
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace plimex::win32
