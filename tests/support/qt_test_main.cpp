// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every window-test program: runs each registered QtTest class in turn.
#include "support/QtTestRegistry.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (args.size() >= 3 && std::strcmp(args[1], "-class") == 0) {
        only = args[2];
        args.erase(args.begin() + 1, args.begin() + 3);
    }
    int failed = 0, ran = 0;
    for (const auto& [name, make] : tavrola::testing::qtTestRegistry()) {
        if (only && std::strcmp(only, name) != 0)
            continue;
        ++ran;
        const auto test = make();
        if (QTest::qExec(test.get(), static_cast<int>(args.size()), args.data()) != 0)
            ++failed;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no test class ran\n");
        return 1;
    }
    return failed == 0 ? 0 : 1;
}
