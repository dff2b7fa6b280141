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

    skin::Pictures all;
    skin::windowPictures(all);
    skin::dialogPictures(all);
    skin::buttonPictures(all);
    skin::controlPictures(all);

    const QDir out(parser.positionalArguments().constFirst());
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "skingen: cannot create '%s'\n", qPrintable(out.path()));
        return 1;
    }
    for (const skin::Picture &pic : all) {
        const QString file = out.filePath(pic.name + QStringLiteral(".png"));
        if (!pic.image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            std::fprintf(stderr, "skingen: cannot write '%s'\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("skingen: %zu pictures written to %s\n", all.size(), qPrintable(out.absolutePath()));

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
