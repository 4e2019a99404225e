#include "core/form1.h"
#include "core/time_of_day_random.h"
#include "win32/background_work.h"
#include "win32/form1_window.h"
#include "win32/form2_dialog.h"
#include "win32/log_file_diagnostics.h"
#include "win32/message_loop.h"
#include "win32/registry_desktop.h"
#include "win32/single_instance.h"
#include "win32/system_ansi_code_page.h"
#include "win32/tray_icon.h"
#include "win32/windows_api.h"
#include "win32/windows_file_system.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A drive that is not ready must not stop the program with a system box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    plimex::win32::LogFileDiagnostics diagnostics;
    const plimex::win32::SingleInstance singleInstance(diagnostics);
    if (!singleInstance.claimed()) {
        singleInstance.ShowRunningCopy();
        return 0;
    }

    plimex::win32::SystemAnsiCodePage codePage;
    plimex::win32::RegistryDesktop desktop{diagnostics};
    plimex::win32::Win32TrayIcon trayIcon(codePage, instance);
    plimex::win32::WindowsFileSystem fileSystem{diagnostics};
    plimex::TimeOfDayRandom random;
    plimex::win32::Win32BackgroundWork work(instance, diagnostics);

    plimex::win32::Win32Form1Window mainForm(instance, trayIcon);
    if (mainForm.Handle() == nullptr) {
        // Without its window nothing could show the program or end it.
        return 1;
    }
    plimex::win32::Win32Form2Dialog aboutBox(instance, mainForm.Handle(), mainForm.Scale(),
                                             mainForm.Font());
    plimex::Form1 form(
        plimex::Platform{desktop, trayIcon, fileSystem, random, codePage, diagnostics, work},
        mainForm.Controls(aboutBox));
    mainForm.Connect(form);
    form.Form_Load();

    int exitCode = 0;
    while (plimex::win32::DeliverNextMessage(exitCode)) {
    }
    // A job still waiting on a share holds the services above: end here, with
    // everything the program keeps saved, rather than free them under it.
    if (work.Busy()) {
        diagnostics.ReportFailure("WinMain", "",
                                  "a folder or a picture was still being read at the end (a "
                                  "share that stopped answering?); the program ends without it");
        ExitProcess(static_cast<UINT>(exitCode));
    }
    return exitCode;
}
