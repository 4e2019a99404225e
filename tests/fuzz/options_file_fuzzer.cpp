// Feeds arbitrary bytes to the options reader: it must not crash or hang, and
// every value it takes must be exactly the rest of a line of the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/options_file.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckValue(const std::optional<std::string>& value, std::string_view input) {
    if (value) {
        Check(value->find_first_of("\r\n") == std::string::npos);
        Check(input.find(*value) != std::string_view::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const plimex::OptionsFileValues values = plimex::ParseOptionsFile(input);
    CheckValue(values.rep, input);
    CheckValue(values.tps, input);
    CheckValue(values.etat, input);

    // What is written back is read back unchanged when it holds no line break.
    if (values.rep && values.tps && values.etat) {
        const plimex::OptionsFileValues again = plimex::ParseOptionsFile(
            plimex::FormatOptionsFile(*values.rep, *values.tps, *values.etat));
        Check(again.rep == values.rep && again.tps == values.tps && again.etat == values.etat);
    }
    return 0;
}
