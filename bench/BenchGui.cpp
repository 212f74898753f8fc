// The GUI application object of the painting benchmarks.
#include "bench/BenchGui.h"

#include <QGuiApplication>

namespace bench {

void EnsureGuiApplication()
{
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "zelkbench";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
    }
}

}  // namespace bench
