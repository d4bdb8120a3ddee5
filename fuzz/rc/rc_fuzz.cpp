// The resource-script parser on arbitrary bytes: the input is the script, and the same bytes
// serve as the header "inc.h" it may include, so that headers and nesting get exercised too.
// A parse may fail; it must never crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/rc_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    vx::ui::rc::FileReader reader = [&bytes](const std::string&, const std::string& path, std::string& resolved,
                                             std::string& out) {
        if (path != "inc.h" && path != "inc.rc" && path != "a.bmp") return false;
        resolved = path;
        out = bytes;
        return true;
    };
    vx::ui::rc::Script script;
    vx::ui::rc::ParseError error;
    if (vx::ui::rc::parseText("fuzz.rc", bytes, reader, script, error)) {
        for (const auto& d : script.dialogs) (void)d.controls.size();
    }
    return 0;
}
