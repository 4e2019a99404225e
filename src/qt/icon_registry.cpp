#include "qt/icon_registry.h"

namespace plimex::qt {

PictureHandle IconRegistry::Add(QIcon icon) {
    const PictureHandle handle = next_++;
    icons_.emplace(handle, std::move(icon));
    return handle;
}

void IconRegistry::Release(PictureHandle handle) {
    icons_.erase(handle);
}

QIcon IconRegistry::Icon(PictureHandle handle) const {
    const auto found = icons_.find(handle);
    return found == icons_.end() ? QIcon() : found->second;
}

}  // namespace plimex::qt
