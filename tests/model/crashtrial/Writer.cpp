// quillmark_crashtrial_writer FILE
// Loads FILE, then changes it and saves it through CDataStore again and
// again until it is killed. Before each save it writes 'S' to standard
// output, after it 'D', so that a driver can kill it in the middle of a save.
#include "model/DataStore.h"
#include "tests/model/crashtrial/TrialData.h"

#include <QString>

#include <cstdio>
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
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 64;
    }
    CDataStore store(QString::fromLocal8Bit(argv[1]));
    CListCollection lists;
    const DataFile::LoadResult loaded = store.Load(lists);
    if (loaded.status != DataFile::LoadStatus::Complete) {
        std::fprintf(stderr, "cannot load: %s\n", qPrintable(loaded.errorString));
        return 3;
    }
    for (;;) {
        CrashTrial::NextVersion(lists);
        Signal('S');
        if (!store.Save(lists)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(store.ErrorString()));
            return 2;
        }
        Signal('D');
    }
}
