#include "qt/program.h"

#include <QGuiApplication>

namespace plimex::qt {

Program::Program(const Platform& services, Twips twips, const std::vector<std::string>& volumes)
    : twips_(twips),
      window_(services.codePage, twips_, services.diagnostics, volumes),
      form_(services, window_.Controls(form2_)) {
    window_.Connect(form_);
    // The session ending unloads like Quitter, so the options are saved.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window_,
                     [this] { window_.RequestUnload(); });
}

void Program::Start(bool notificationArea) {
    form_.Form_Load();
    if (!notificationArea) {
        window_.SetReachableFromTray(false);
        window_.Show();
    }
}

// A window shown for lack of a notification area stays where it is; once the
// icon can bring it back, hiding it hides it again.
void Program::NotificationAreaChanged(bool available) {
    window_.SetReachableFromTray(available);
}

}  // namespace plimex::qt
