// SPDX-License-Identifier: MIT
// main() of a window test: the application set up as the game sets it up, then the
// test object's slots.
#pragma once

#include "ui/look/style.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace numora::testsupport {

// Qt 6.8's Wayland client can deadlock closing its connection: the application's
// destructor waits for the Wayland event thread, which waits in wl_display_read_events
// for a read the main thread never makes (seen under AddressSanitizer on a busy machine,
// about one run in 25). On Wayland the verdict is final once the slots have run, so the
// process ends there, after the leak check that exit would have made.
[[noreturn]] inline void endbeforewaylandteardown(int result)
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    std::fflush(nullptr);
    std::_Exit(result);
}

}  // namespace numora::testsupport

#define NUMORA_QTEST_MAIN(TestObject)                                                                                  \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        numora::look::preparedesktop();                                                                                \
        QApplication app(argc, argv);                                                                                  \
        numora::look::setupapplication(app);                                                                           \
        TestObject test;                                                                                               \
        const int result = QTest::qExec(&test, argc, argv);                                                            \
        if (QGuiApplication::platformName() == QLatin1String("wayland"))                                               \
            numora::testsupport::endbeforewaylandteardown(result);                                                     \
        return result;                                                                                                 \
    }
