#include "qt/program.h"

#include <QGuiApplication>

#include "qt/mounted_volumes.h"

namespace plimex::qt {

Program::Program()
    : window_(codePage_, twips_, icons_, MountedVolumesOfThisMachine()),
      form_(Platform{desktop_, tray_, fileSystem_, random_, codePage_, diagnostics_},
            window_.Controls(form2_)) {
    window_.Connect(form_);
    // The session ending unloads like Quitter, so the options are saved.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window_,
                     [this] { window_.RequestUnload(); });
}

void Program::Start() {
    const bool area = areaWatch_.Available();
    tray_.SetAreaAvailable(area);
    form_.Form_Load();
    if (!area) {
        window_.SetReachableFromTray(false);
        window_.Show();
    }
}

// A window shown for lack of a notification area stays where it is; once the
// icon can bring it back, hiding it hides it again.
void Program::NotificationAreaChanged(bool available) {
    tray_.SetAreaAvailable(available);
    window_.SetReachableFromTray(available);
}

}  // namespace plimex::qt
