// SPDX-License-Identifier: MIT
// main() of a window test: the application set up as the game sets it up, then the
// test object's slots.
#pragma once

#include "ui/look/style.h"

#include <QApplication>
#include <QTest>

#define NUMORA_QTEST_MAIN(TestObject)                                                                                  \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        numora::look::preparedesktop();                                                                                \
        QApplication app(argc, argv);                                                                                  \
        numora::look::setupapplication(app);                                                                           \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
