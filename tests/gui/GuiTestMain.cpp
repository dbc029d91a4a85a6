// One program for all the window's test classes, so the application is
// linked once: `torvan_gui_tests CLASS [Qt Test options]` runs one class.
#include "GuiTestMain.h"

#include <QApplication>
#include <QTest>
#include <cstdio>

namespace gui_test {

std::map<QString, TestFactory>& Registry() {
    static std::map<QString, TestFactory> tests;
    return tests;
}

}  // namespace gui_test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    const auto& tests = gui_test::Registry();
    const auto found = argc > 1 ? tests.find(QString::fromLocal8Bit(argv[1])) : tests.end();
    if (found == tests.end()) {
        std::fprintf(stderr, "usage: %s CLASS [Qt Test options]\nclasses:", argv[0]);
        for (const auto& test : tests) {
            std::fprintf(stderr, " %s", qPrintable(test.first));
        }
        std::fputc('\n', stderr);
        return 2;
    }
    const std::unique_ptr<QObject> test = found->second();
    argv[1] = argv[0];
    return QTest::qExec(test.get(), argc - 1, argv + 1);
}
