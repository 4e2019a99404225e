#include "qt/background_work.h"

namespace plimex::qt {

QtBackgroundWork::QtBackgroundWork(Diagnostics& diagnostics)
    : jobs_("QtBackgroundWork", diagnostics, [receiver = receiver_.get()](Delivery delivery) {
          QMetaObject::invokeMethod(receiver, std::move(delivery), Qt::QueuedConnection);
      }) {}

}  // namespace plimex::qt
