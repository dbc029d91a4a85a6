// Tests with radios on pseudo-terminals: a QCoreApplication for
// QSerialPort's lock files, and a private data folder for copies of reads.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>

#include "tests/TempDir.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Copies of reads go to a private data folder, not the user's.
    const torvan::testing_support::TempDir data;
    setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
