#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace plimex::testing {

// One shared record of the platform calls, for tests of their order.
struct CallLog {
    std::vector<std::string> calls;

    void Add(std::string call) { calls.push_back(std::move(call)); }

    std::ptrdiff_t IndexOf(const std::string& call) const {
        const auto it = std::find(calls.begin(), calls.end(), call);
        return it == calls.end() ? -1 : it - calls.begin();
    }
    std::ptrdiff_t Count(const std::string& call) const {
        return std::count(calls.begin(), calls.end(), call);
    }
};

}  // namespace plimex::testing
