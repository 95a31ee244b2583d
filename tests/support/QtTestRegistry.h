// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Several QtTest classes in one test program: each file registers its class with
// TAVROLA_QTEST(Class) instead of QTEST_MAIN, and qt_test_main.cpp runs them all.
// "-class Name" as the first two arguments runs that class alone (the rest go to QTest).

#include <QObject>

#include <memory>
#include <utility>
#include <vector>

namespace tavrola::testing {

using QtTestEntry = std::pair<const char*, std::unique_ptr<QObject> (*)()>; // name, maker
inline std::vector<QtTestEntry>& qtTestRegistry() {
    static std::vector<QtTestEntry> entries;
    return entries;
}

} // namespace tavrola::testing

#define TAVROLA_QTEST(Class)                                                                               \
    [[maybe_unused]] static const bool tavrolaQtTestRegistered_##Class =                                   \
        (::tavrola::testing::qtTestRegistry().emplace_back(                                                \
             #Class, [] { return std::unique_ptr<QObject>(new Class); }),                                  \
         true);

// Waits for what a test expects, up to a limit (QTRY's own: 5 s) that a slow or busy machine only nears.
#define TAVROLA_TRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT(expr, 30000)
