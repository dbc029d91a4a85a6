#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace gui_test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// The Qt Test classes linked into the test program, by class name.
std::map<QString, TestFactory>& Registry();

template <typename Test>
bool Register(const char* name) {
    Registry()[QString::fromLatin1(name)] = [] { return std::make_unique<Test>(); };
    return true;
}

}  // namespace gui_test

// Puts a Qt Test class into the one test program, in place of QTEST_MAIN.
#define GUI_TEST_MAIN(Test) \
    [[maybe_unused]] static const bool registered##Test = gui_test::Register<Test>(#Test);
