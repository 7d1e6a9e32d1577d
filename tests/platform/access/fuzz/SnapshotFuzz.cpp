#include <cerrno>
#include <sys/stat.h>
// libFuzzer target for the Access reader: any bytes, written as a file, go through the
// same reading as the helper process does. Whatever mdbtools makes of them, the reader
// must end with a snapshot or a ReadError, never with a crash, an overflow or a hang.
#include "JetFile.h"
#include "SnapshotWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The same neutral settings as the helper: values never depend on the environment.
    unsetenv("MDBICONV");
    unsetenv("MDB_ICONV");
    unsetenv("MDB_JET3_CHARSET");
    unsetenv("MDBOPTS");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string folder = "/tmp/carnelis-snapshot-fuzz-" + std::to_string(getpid());
    static const bool made = [&] { return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST; }();
    if (!made)
        return 0;
    const std::string source = folder + "/in.mdb";
    const std::string target = folder + "/out.sqlite";
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
