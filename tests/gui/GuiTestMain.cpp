// One program for all the window's test classes, so the application is
// linked once: `torvan_gui_tests CLASS [Qt Test options]` runs one class.
#include <QApplication>
#include <QTest>
#include <cstdio>

#include "GuiTestSupport.h"

namespace gui_test {

std::map<QString, TestFactory>& Registry() {
    static std::map<QString, TestFactory> tests;
    return tests;
}

}  // namespace gui_test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    const auto found = argc > 1 ? gui_test::Registry().find(QString::fromLocal8Bit(argv[1]))
                                : gui_test::Registry().end();
    if (found == gui_test::Registry().end()) {
        std::fprintf(stderr, "usage: %s TESTCLASS [Qt Test options]\n", argv[0]);
        return 2;
    }
    argv[1] = argv[0];
    return QTest::qExec(found->second().get(), argc - 1, argv + 1);
}
