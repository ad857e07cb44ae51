// Scroller benchmark: the cost of one tick and of one resize (medians, in
// microseconds), and the processor time that 100 Scrollers at the default
// interval take per second of wall time.
//
//   QT_QPA_PLATFORM=offscreen scrollerbench [seconds]

#include "scrollerprivate.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

using Tovrell::Scroller;
using Tovrell::ScrollerPrivate;

namespace {

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

template <typename F>
double medianMicroseconds(int runs, F &&work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work(run);
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QWidget host;
    auto *single = new Scroller(&host);
    single->setAmbientFont(QFont(QStringLiteral("Liberation Sans"), 10));
    single->initProperties();
    single->setInterval(0);
    single->setCaption(QStringLiteral("A caption of ordinary length, scrolling by"));
    host.show();

    const double tickUs = medianMicroseconds(2001, [&](int) { ScrollerPrivate::of(*single).Timer1_Timer(); });
    const double resizeUs = medianMicroseconds(501, [&](int run) { single->resize(408, run % 2 ? 40 : 44); });

    QWidget window;
    auto *grid = new QGridLayout(&window);
    std::vector<Scroller *> scrollers;
    for (int i = 0; i < 100; ++i) {
        auto *scroller = new Scroller(&window);
        scroller->setAmbientFont(window.font());
        scroller->initProperties();
        scroller->setCaption(QStringLiteral("Banner %1 scrolling along").arg(i));
        grid->addWidget(scroller, i / 4, i % 4);
        scrollers.push_back(scroller);
    }
    window.show();
    QCoreApplication::processEvents();

    const double cpuBefore = processSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QApplication::exec();
    const double cpuShare = (processSeconds() - cpuBefore) / (double(wall.elapsed()) / 1000.0);

    std::printf("one tick:                       %8.1f us (median)\n", tickUs);
    std::printf("one resize:                     %8.1f us (median)\n", resizeUs);
    std::printf("100 Scrollers at 100 ms:        %8.1f ms of processor time per second (%.1f%% of one core)\n",
                cpuShare * 1000.0, cpuShare * 100.0);
    return 0;
}
