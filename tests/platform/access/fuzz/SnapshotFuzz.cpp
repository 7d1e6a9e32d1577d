// libFuzzer target for the Access reader: any bytes, written as a file, go through the same
// reading as the helper process does. Whatever mdbtools makes of them, the reader must end with a
// snapshot or a ReadError, never with a crash, an overflow or a hang.
#include "JetFile.h"
#include "SnapshotWriter.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string source = "/tmp/carnelis-snapshot-fuzz-" + std::to_string(getpid()), target = source + ".sqlite";
    if (FILE *f = std::fopen(source.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    try {
        carnelis::access::writeSnapshot(source, target);
    } catch (const carnelis::access::ReadError &) {
    }
    std::remove(target.c_str());
    return 0;
}
