// quillmark_crashtrial_writer FILE [--loop | --create]
// Loads FILE, changes it and saves it through CDataStore; with --loop it
// goes on changing and saving until it is killed; --create writes the
// trial's first version of FILE. Before each save it
// writes 'S' to standard output, after it 'D', so that a driver can kill it
// in the middle of a save.
#include "model/DataStore.h"
#include "tests/model/crashtrial/TrialData.h"

#include <QString>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void Signal(char c)
{
    // Unbuffered: the driver must see it before the save starts.
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, &c, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--loop | --create]\n", argv[0]);
        return 64;
    }
    const bool loop = argc > 2 && std::strcmp(argv[2], "--loop") == 0;
    CDataStore store(QString::fromLocal8Bit(argv[1]));
    if (argc > 2 && std::strcmp(argv[2], "--create") == 0)
        return store.Save(CrashTrial::InitialLists()) ? 0 : 2;
    CListCollection lists;
    const DataFile::LoadResult loaded = store.Load(lists);
    if (loaded.status != DataFile::LoadStatus::Complete) {
        std::fprintf(stderr, "cannot load: %s\n", qPrintable(loaded.errorString));
        return 3;
    }
    do {
        CrashTrial::NextVersion(lists);
        Signal('S');
        if (!store.Save(lists)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(store.ErrorString()));
            return 2;
        }
        Signal('D');
    } while (loop);
    return 0;
}
