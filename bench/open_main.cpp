// Times the Yes click on the welcome dialog until the main window is on screen, painted and the
// event loop idle, over many clicks; the main window is closed (and so unloaded) between them.
// quenzar-bench-open-main [RUNS]
#include "app/program.h"
#include "forms/formnames.h"
#include "idle.h"
#include "report.h"
#include "tweak/frmD3Tweak.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdlib>

// The program's shutdown service is only reached by Exit, which this never presses; run.sh
// points the system bus nowhere all the same.
int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    QApplication app(argc, argv);
    quenzar::Program program;
    quenzar::Forms& forms = program.forms();

    QWidget* welcome = program.start();
    if (!quenzar::bench::waitShownAndIdle(welcome)) {
        std::fprintf(stderr, "the welcome dialog was never shown\n");
        return 1;
    }
    auto* yes = welcome->findChild<QPushButton*>(QStringLiteral("cmdYes"));
    if (!yes) {
        std::fprintf(stderr, "the welcome dialog has no cmdYes\n");
        return 1;
    }

    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(yes, Qt::LeftButton);
        QWidget* main = forms.loaded(quenzar::formnames::frmD3Tweak);
        if (!main || !quenzar::bench::waitShownAndIdle(main)) {
            std::fprintf(stderr, "the main window was never shown\n");
            return 1;
        }
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());

        main->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (forms.loaded(quenzar::formnames::frmD3Tweak)) {
            std::fprintf(stderr, "closing the main window did not unload it\n");
            return 1;
        }
        // Whatever the close left queued is handled before the next click is timed.
        quenzar::bench::waitShownAndIdle(welcome);
    }

    using quenzar::bench::format;
    quenzar::bench::printFigure(
        "opening the main window (" + QGuiApplication::platformName().toStdString() + ")",
        format("median %.2f ms over %d clicks (first %.2f ms, fastest %.2f ms)",
               quenzar::bench::median(ms), runs, ms.front(), quenzar::bench::minimum(ms)));
    return 0;
}
