#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "posix/scratch_folder.h"

namespace plimex::linux_desktop {

// Stand-ins for desktop tools, alone on PATH while the object lives. Each
// one appends its invocation to a record: its process id, its name and its
// arguments, each ended by a null byte, so that any argument reads back whole.
class FakeTools {
  public:
    struct Invocation {
        std::string pid;
        std::vector<std::string> argv;
    };

    FakeTools() : savedPath_(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "") {
        setenv("PATH", folder_.path().c_str(), 1);
    }
    ~FakeTools() { setenv("PATH", savedPath_.c_str(), 1); }
    FakeTools(const FakeTools&) = delete;
    FakeTools& operator=(const FakeTools&) = delete;

    // then: shell commands run after the record is written.
    void Install(const std::string& name, const std::string& then = "exit 0") const {
        const std::string script = folder_ / (name);
        WriteWholeFile(script,
                       "#!/bin/sh\n"
                       "printf '%s\\0' \"$#\" \"$$\" \"${0##*/}\" \"$@\" >> '" +
                           Record() + "'\n" + then + "\n");
        chmod(script.c_str(), 0755);
    }

    std::vector<Invocation> Invocations() const {
        std::vector<std::string> fields;
        const std::string record = ReadWholeFile(Record());
        for (std::size_t start = 0, end; (end = record.find('\0', start)) != std::string::npos;
             start = end + 1) {
            fields.push_back(record.substr(start, end - start));
        }
        std::vector<Invocation> invocations;
        for (std::size_t i = 0; i + 2 < fields.size();) {
            const std::size_t argc = std::stoul(fields[i]);
            Invocation invocation{fields[i + 1], {}};
            invocation.argv.assign(fields.begin() + static_cast<long>(i) + 2,
                                   fields.begin() + static_cast<long>(i + 3 + argc));
            invocations.push_back(std::move(invocation));
            i += 3 + argc;
        }
        return invocations;
    }

  private:
    std::string Record() const { return folder_ / "record"; }

    ScratchFolder folder_;
    std::string savedPath_;
};

}  // namespace plimex::linux_desktop
