#pragma once

namespace plimex::win32 {

// Waits for the next message of the thread and delivers it, with the
// keyboard navigation of dialogs (Tab, arrows, access keys) for our windows.
// False when the message was WM_QUIT; its exit code is then in exitCode.
bool DeliverNextMessage(int& exitCode);

}  // namespace plimex::win32
