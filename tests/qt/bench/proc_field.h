#pragma once

#include <fstream>
#include <string>

namespace plimex::bench {

// The first number after `field` in a /proc file ("VmHWM:" in
// /proc/self/status, say); -1 when the file has none.
inline long ProcField(const char* file, const std::string& field) {
    std::ifstream in(file);
    std::string word;
    while (in >> word) {
        if (word == field) {
            long value = 0;
            in >> value;
            return value;
        }
    }
    return -1;
}

}  // namespace plimex::bench
