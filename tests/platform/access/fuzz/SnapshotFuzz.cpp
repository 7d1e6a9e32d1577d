// libFuzzer target for the Access reader: any bytes, written as a file, go through the same
// reading as the helper process does. Whatever mdbtools makes of them, the reader must end with a
// snapshot or a ReadError, never with a crash, an overflow or a hang.
#include "JetFile.h"
#include "SnapshotWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The same neutral settings as the helper: values never depend on the environment.
    static const std::string folder = [] {
        for (const char *name : {"MDBICONV", "MDB_ICONV", "MDB_JET3_CHARSET", "MDBOPTS"})
            unsetenv(name);
        const std::string made = "/tmp/carnelis-snapshot-fuzz-" + std::to_string(getpid());
        mkdir(made.c_str(), 0700);
        return made;
    }();
    const std::string source = folder + "/in.mdb", target = folder + "/out.sqlite";
    if (FILE *f = std::fopen(source.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    std::remove(target.c_str());
    try {
        carnelis::access::writeSnapshot(source, target);
    } catch (const carnelis::access::ReadError &) {
    }
    std::remove(target.c_str());
    return 0;
}
