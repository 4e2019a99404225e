#include "qt/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace plimex::qt {

UniqueFd OpenRegularFile(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return UniqueFd();
    }
    return fd;
}

}  // namespace plimex::qt
