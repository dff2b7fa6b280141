// skingen: paints every picture of the program's skin and writes them as PNG
// files. Usage: skingen <output folder> [--preview <folder>]
#include "pictures.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Paints the Tonquill skin pictures."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("Folder the pictures are written to."));
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("Also write preview sheets into <folder>."),
                                     QStringLiteral("folder"));
    parser.addOption(preview);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    // Another family would silently change every text in the pictures.
    if (!QFontDatabase::families().contains(QStringLiteral("DejaVu Sans"))) {
        std::fprintf(stderr, "skingen: the font family 'DejaVu Sans' is not installed\n");
        return 1;
    }

    // Every picture once as it is and once at twice the pixels ("name@2x",
    // which Qt picks on screens scaled above 100 %). The program icons are
    // left out of the second round: they already come at 48 and 256 pixels,
    // from which the icon loader takes the size a screen needs.
    const auto paintAll = [](int ratio) {
        skin::setPixelRatio(ratio);
        skin::Pictures pictures;
        skin::windowPictures(pictures);
        skin::dialogPictures(pictures);
        skin::buttonPictures(pictures);
        skin::controlPictures(pictures);
        return pictures;
    };
    const skin::Pictures all = paintAll(1);
    skin::Pictures sharp = paintAll(2);
    std::erase_if(sharp, [](const skin::Picture &pic) { return pic.name.startsWith(QLatin1String("tonquill")); });
    skin::setPixelRatio(1);

    const QDir out(parser.positionalArguments().constFirst());
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "skingen: cannot create '%s'\n", qPrintable(out.path()));
        return 1;
    }
    const auto write = [&out](const skin::Pictures &pictures, QLatin1String suffix) {
        for (const skin::Picture &pic : pictures) {
            const QString file = out.filePath(pic.name + suffix + QStringLiteral(".png"));
            if (!pic.image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
                std::fprintf(stderr, "skingen: cannot write '%s'\n", qPrintable(file));
                return false;
            }
        }
        return true;
    };
    if (!write(all, QLatin1String("")) || !write(sharp, QLatin1String("@2x")))
        return 1;
    std::printf("skingen: %zu pictures and %zu at 2x written to %s\n", all.size(), sharp.size(),
                qPrintable(out.absolutePath()));

    if (parser.isSet(preview)) {
        const QDir dir(parser.value(preview));
        dir.mkpath(QStringLiteral("."));
        const QString main = dir.filePath(QStringLiteral("skin-preview.png"));
        const QString sheet = dir.filePath(QStringLiteral("skin-sheet.png"));
        if (!skin::previewMainWindow(all, 24, 30).save(main) || !skin::previewSheet(all).save(sheet)) {
            std::fprintf(stderr, "skingen: cannot write the previews into '%s'\n", qPrintable(dir.path()));
            return 1;
        }
        std::printf("skingen: previews %s and %s\n", qPrintable(main), qPrintable(sheet));
    }
    return 0;
}
