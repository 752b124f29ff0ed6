// Renders the stand-in main window under a skin, for judging a skin by eye and for the README.
//
//   skin_preview <skin number> <out.png>     one skin, Aero on
//   skin_preview sheet <out.png>             all 33 skins, a third of their size, in a grid
#include "skin/skin_blocks.h"
#include "skin/skin_library_loader.h"
#include "tests/skin/mock_main_window.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

QImage render(const tieba::LoadedSkinLibrary& library, int number) {
    const auto block = tieba::skinBlock(number);
    library.attachRes(block.data(), static_cast<int>(block.size()), "", 0, 0, 0);
    library.setAero(1);
    const tieba::testing::MockMainWindow mock = tieba::testing::makeMockMainWindow(true);
    const std::unique_ptr<QWidget> window(mock.window);
    window->show();
    QApplication::processEvents();
    return window->grab().toImage();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin_preview <skin number> | sheet <out.png>\n");
        return 2;
    }
    const tieba::SkinLibraryLoad load = tieba::loadSkinLibrary(
        {std::filesystem::path(TIEBA_SKIN_BUILT_LIBRARY).parent_path().string()});
    if (!load.loaded) {
        std::fprintf(stderr, "%s\n", load.failure.c_str());
        return 1;
    }
    if (std::string(argv[1]) != "sheet") {
        return render(*load.loaded, std::atoi(argv[1])).save(QString::fromLocal8Bit(argv[2])) ? 0
                                                                                              : 1;
    }
    constexpr int kColumns = 6;
    const QSize cell = QSize(627, 513) / 3;
    QImage sheet(cell.width() * kColumns, cell.height() * 6, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int number = 1; number <= tieba::kSkinCount; ++number) {
        const QImage image = render(*load.loaded, number)
                                 .scaled(cell, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QPoint at(((number - 1) % kColumns) * cell.width(),
                        ((number - 1) / kColumns) * cell.height());
        painter.drawImage(at, image);
        painter.setPen(Qt::red);
        painter.drawText(at + QPoint(4, 14), QString::number(number));
    }
    painter.end();
    return sheet.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
