// Peak memory of one picture load beyond its pixel buffer: the image
// window's LoadImage against libjpeg or libpng alone, each measured in a
// fresh process (run it once with each of "load", "bare", "load-png",
// "bare-png"). The peak is the resident set's high-water mark, started again
// from the present size just before the load, so everything the load touched
// counts: the decoder's own buffers, libraries' working memory, the pixels.
#include "BareDecode.h"
#include "BenchPictures.h"
#include "WindowSet.h"

#include <QApplication>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// A field of /proc/self/status, in bytes.
long long StatusBytes(const std::string &field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1)) * 1024;
    return -1;
}

// Makes the peak resident size start again from the present one.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

int main(int argc, char **argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "load" && mode != "bare" && mode != "load-png" && mode != "bare-png") {
        std::fprintf(stderr, "usage: bench_memory load|bare|load-png|bare-png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TWindowSet windows;
    windows.ShowStartWindows();
    QCoreApplication::processEvents();
    const bool png = mode.ends_with("-png");
    const std::string &path = png ? bench::ChartPngPath() : bench::ChartJpegPath();

    ResetPeak();
    const long long before = StatusBytes("VmRSS");
    if (mode.starts_with("load"))
        Form2->LoadImage(QString::fromStdString(path));
    else if (png)
        bench::BareLibpngDecode(path);
    else
        bench::BareLibjpegDecode(path);
    const long long peak = StatusBytes("VmHWM");
    const long long buffer = 4LL * bench::ChartWidth * bench::ChartHeight;
    const long long extra = peak - before - buffer;
    std::printf("%s: peak above start %.1f MB, pixel buffer %.1f MB, extra %.2f MB (%.1f%% of the "
                "buffer)\n",
                mode.c_str(), static_cast<double>(peak - before) / 1e6,
                static_cast<double>(buffer) / 1e6, static_cast<double>(extra) / 1e6,
                100.0 * static_cast<double>(extra) / static_cast<double>(buffer));
    return 0;
}
