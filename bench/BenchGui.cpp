// The GUI application object of the painting benchmarks: one that also carries widgets, since
// the window benchmarks start the program with its windows.
#include "bench/BenchGui.h"

#include <QApplication>

namespace bench {

void EnsureGuiApplication()
{
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "zelkbench";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

}  // namespace bench
