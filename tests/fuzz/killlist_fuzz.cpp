// Reads arbitrary bytes as a kill-list file and checks that the list survives
// being written and read again, and that a file in UTF-8 or UTF-16 decodes to
// valid UTF-8.
#include "processes/killlist_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using morvex::processes::DecodeKillListFile;
using morvex::processes::IsKillListRepresentable;
using morvex::processes::KillListEncoding;
using morvex::processes::kUtf8Bom;
using morvex::processes::ParseKillList;
using morvex::processes::SerializeKillList;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = ParseKillList(bytes);

    // Each field owns at least one byte of the data.
    if (entries.size() > size) {
        std::abort();
    }
    // Every field the reader yields can be written back.
    for (const std::string& entry : entries) {
        if (!IsKillListRepresentable(entry)) {
            std::abort();
        }
    }
    const std::string rewritten = SerializeKillList(entries);
    if (ParseKillList(rewritten) != entries) {
        std::abort();
    }
    // Writing is stable: the rewritten file rewrites to itself.
    if (SerializeKillList(ParseKillList(rewritten)) != rewritten) {
        std::abort();
    }
    // What is decoded as UTF-8 is valid UTF-8: behind a byte-order mark it
    // decodes to itself.
    const auto decoded = DecodeKillListFile(bytes);
    if (decoded.encoding != KillListEncoding::kAnsi &&
        DecodeKillListFile(std::string(kUtf8Bom) + decoded.text).text != decoded.text) {
        std::abort();
    }
    return 0;
}
