// vxrtf SOURCE TARGET: writes the RTF document of the UTF-8 text SOURCE (see rtf_writer.h).
#include <cstdio>
#include <fstream>
#include <sstream>

#include "plot/output_file.h"
#include "rtf_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vxrtf SOURCE.txt TARGET\n");
        return 1;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vxrtf: %s cannot be read\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    if (!vx::plot::writeOutputFile(argv[2], vx::tools::rtfDocument(text.str()), error)) {
        std::fprintf(stderr, "vxrtf: %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    return 0;
}
