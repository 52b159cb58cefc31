// Peak memory and time of importing one large comma-separated file into a
// new list, as "Import List..." reads it. Each run is a child process of its
// own, so that its peak (VmHWM) belongs to that import alone; the figures
// are the peak above what the process held before the import, and the file
// size it compares with.
//
//   quillmark_import_memory [--megabytes=N] [--description=N] [--runs=N] [--file=PATH]
//
// Without --file it writes a file of about N megabytes (200 by default) of
// lines like an export: a name, a description of about N letters (20 by
// default, which makes about 43 bytes a line) and a price, names in no
// order.

#include "exchange/csv/CsvImportJob.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

bool WriteSample(const QString &path, qint64 bytes, int description)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QRandomGenerator random(20020307);
    QByteArray chunk;
    qint64 written = 0;
    char line[320];
    while (written < bytes) {
        chunk.clear();
        for (int i = 0; i < 4096; ++i) {
            char desc[256];
            const int length = qBound(0, description - 6 + int(random.bounded(13)), int(sizeof desc) - 1);
            for (int c = 0; c < length; ++c)
                desc[c] = char('a' + random.bounded(26));
            desc[length] = '\0';
            const int n = std::snprintf(line, sizeof line, "Item %07u,%s,%u.%02u,\n", random.bounded(10000000u),
                                        desc, random.bounded(10000u), random.bounded(100u));
            chunk.append(line, n);
        }
        if (file.write(chunk) != chunk.size())
            return false;
        written += chunk.size();
    }
    return true;
}

qint64 StatusKb(const char *field)
{
    FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char row[256];
    qint64 kb = -1;
    const size_t length = std::strlen(field);
    while (std::fgets(row, sizeof row, status)) {
        if (std::strncmp(row, field, length) == 0) {
            kb = std::atoll(row + length + 1);
            break;
        }
    }
    std::fclose(status);
    return kb;
}

struct Figures
{
    double peakMb = 0;
    double heldMb = 0; // by the finished list
    double seconds = 0;
    qint64 items = 0;
};

// One import in a child; its figures come back through a pipe.
bool RunOnce(const QString &path, Figures &figures)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const qint64 before = StatusKb("VmRSS:");
        QElapsedTimer clock;
        clock.start();
        Figures out;
        {
            CListItemArray list;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)
                || !CsvImport::ImportCsvDevice(file, CImportFields{1, 2, 3, 6}, list).Ok())
                ::_exit(2);
            out.seconds = clock.nsecsElapsed() / 1e9;
            out.items = list.m_items.size();
            out.peakMb = (StatusKb("VmHWM:") - before) / 1024.0;
            out.heldMb = (StatusKb("VmRSS:") - before) / 1024.0;
        }
        const ssize_t sent = ::write(fds[1], &out, sizeof out);
        ::_exit(sent == sizeof out ? 0 : 3);
    }
    ::close(fds[1]);
    const ssize_t got = ::read(fds[0], &figures, sizeof figures);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return got == sizeof figures && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qint64 megabytes = 200;
    int description = 20;
    int runs = 3;
    QString path;
    for (const QString &arg : QCoreApplication::arguments().mid(1)) {
        if (arg.startsWith(QLatin1String("--megabytes=")))
            megabytes = arg.mid(12).toLongLong();
        else if (arg.startsWith(QLatin1String("--description=")))
            description = arg.mid(14).toInt();
        else if (arg.startsWith(QLatin1String("--runs=")))
            runs = qMax(1, arg.mid(7).toInt());
        else if (arg.startsWith(QLatin1String("--file=")))
            path = arg.mid(7);
        else {
            std::fprintf(stderr, "usage: quillmark_import_memory [--megabytes=N] [--description=N] [--runs=N] "
                                 "[--file=PATH]\n");
            return 64;
        }
    }
    QTemporaryDir dir;
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("large.csv"));
        if (!WriteSample(path, megabytes * 1024 * 1024, description)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
    }
    const double fileMb = QFileInfo(path).size() / (1024.0 * 1024.0);
    std::vector<double> peaks, times;
    qint64 items = 0;
    for (int i = 0; i < runs; ++i) {
        Figures f;
        if (!RunOnce(path, f)) {
            std::fprintf(stderr, "run %d: the import failed\n", i + 1);
            return 1;
        }
        std::printf("run %d: %lld items, peak %.0f MB above the start, %.0f MB held by the list, %.1f s\n",
                    i + 1, static_cast<long long>(f.items), f.peakMb, f.heldMb, f.seconds);
        peaks.push_back(f.peakMb);
        times.push_back(f.seconds);
        items = f.items;
    }
    std::printf("file %.0f MB, %lld lines (%.1f bytes a line); median of %d runs: peak %.0f MB "
                "(%.2f x the file), %.1f s\n",
                fileMb, static_cast<long long>(items), fileMb * 1024 * 1024 / double(qMax<qint64>(1, items)), runs,
                Median(peaks), Median(peaks) / fileMb, Median(times));
    return 0;
}
