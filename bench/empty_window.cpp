// The floor every figure in docs/performance.md is read against: a Qt Widgets program that shows one empty
// window the size of the calculator's and ends as soon as it has been painted. The process ends with _exit
// there, as startup_brolga does, so neither figure includes tearing down.
//
//   empty_window           start, paint, end
//   empty_window --rss     also print VmRSS (kB) after the paint

#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char *argv[])
{
    const bool rss = argc > 1 && std::strcmp(argv[1], "--rss") == 0;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.resize(470, 700);
    new bench::NextPaint(&window, [rss] {
        if (rss)
            std::printf("window %ld\n", bench::residentKb());
        std::fflush(stdout);
        _exit(0);
    });
    window.show();
    return app.exec();
}
