// Paints every picture of the program and writes res/art/<name>.png and
// <name>@2x.png. Run by hand after changing the drawing; the PNGs are committed.
#include "Canvas.h"
#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

namespace {

enum class Ground { Magenta, White, Transparent };

struct Job
{
    QString name;
    QSize logical;
    Ground ground;
    Canvas::PaintFn paint;
};

QList<Job> Jobs()
{
    QList<Job> jobs;
    jobs.append({QStringLiteral("130"), {240, 25}, Ground::White, Pictures::PaintBanner});
    jobs.append({QStringLiteral("133"), {16 * Pictures::kStripCount, 16}, Ground::Magenta,
                 [](QPainter &p) {
                     for (int i = 0; i < Pictures::kStripCount; ++i) {
                         p.save();
                         p.translate(16 * i, 0);
                         p.setClipRect(0, 0, 16, 16);
                         Pictures::PaintStripIcon(p, i);
                         p.restore();
                     }
                 }});
    jobs.append({QStringLiteral("177"), {80, 16}, Ground::Magenta, [](QPainter &p) {
                     for (int i = 0; i < 5; ++i) {
                         p.save();
                         p.translate(16 * i, 0);
                         p.setClipRect(0, 0, 16, 16);
                         Pictures::PaintCheckImage(p, i);
                         p.restore();
                     }
                 }});
    jobs.append({QStringLiteral("144"), {14, 13}, Ground::White, Pictures::PaintBlueTick});
    for (int id : {146, 147, 148, 149, 150, 153, 155, 170, 176}) {
        jobs.append({QString::number(id), {20, 20}, Ground::White,
                     [id](QPainter &p) { Pictures::PaintButtonFace(p, id); }});
    }
    jobs.append({QStringLiteral("128"), {32, 32}, Ground::Transparent,
                 [](QPainter &p) { Pictures::PaintProgramIcon(p, 32); }});
    return jobs;
}

// Refuses a painted colour that would look like a magenta fringe.
bool CheckNoNearMagenta(const QImage &image, const QString &name)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if ((c & 0x00FFFFFF) != 0x00FF00FF && Canvas::NearMagenta(c)) {
                QTextStream(stderr) << name << ": colour near magenta at " << x << ',' << y << '\n';
                return false;
            }
        }
    }
    return true;
}

bool Save(const QImage &image, const QString &path)
{
    QImageWriter writer(path, "png");
    if (writer.write(image))
        return true;
    QTextStream(stderr) << path << ": " << writer.errorString() << '\n';
    return false;
}

bool WriteJob(const QDir &dir, const Job &job, int scale)
{
    const QImage painted = Canvas::Paint(job.logical, scale, job.paint);
    QImage out;
    switch (job.ground) {
    case Ground::Magenta: out = Canvas::FlattenOnMagenta(painted); break;
    case Ground::White: out = Canvas::FlattenOnWhite(painted); break;
    case Ground::Transparent: out = painted.convertToFormat(QImage::Format_ARGB32); break;
    }
    const QString file = job.name + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    if (job.ground == Ground::Magenta && !CheckNoNearMagenta(out, file))
        return false;
    return Save(out, dir.filePath(file));
}

// The desktop icon at every size a theme asks for, each drawn at its size.
bool WriteIconSizes(const QDir &dir)
{
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = Canvas::Paint({size, size}, 1,
                                          [size](QPainter &p) { Pictures::PaintProgramIcon(p, size); });
        if (!Save(icon.convertToFormat(QImage::Format_ARGB32),
                  dir.filePath(QStringLiteral("icon-%1.png").arg(size))))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QString sheet;
    const qsizetype sheetAt = args.indexOf(QStringLiteral("--sheet"));
    if (sheetAt >= 0 && sheetAt + 1 < args.size()) {
        sheet = args.at(sheetAt + 1);
        args.remove(sheetAt, 2);
    }
    if (args.size() != 1) {
        QTextStream(stderr) << "usage: quillmark_artgen <art folder> [--sheet <file.png>]\n";
        return 2;
    }
    const QDir dir(args.first());
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        QTextStream(stderr) << dir.path() << ": cannot create\n";
        return 1;
    }
    for (const Job &job : Jobs()) {
        for (int scale : {1, 2}) {
            if (!WriteJob(dir, job, scale))
                return 1;
        }
    }
    if (!WriteIconSizes(dir))
        return 1;
    if (!sheet.isEmpty() && !Pictures::WriteContactSheet(dir.path(), sheet))
        return 1;
    return 0;
}
