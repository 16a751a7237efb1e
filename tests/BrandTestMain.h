#pragma once

#include "ui/buttons/BrandStyle.h"

#include <QApplication>
#include <QTest>

// QTEST_MAIN with the brand's style on the application, as the program and brolga-report have it.
#define BROLGA_TEST_MAIN(TestObject)                                                                                   \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        brolga::BrandStyle::install();                                                                                 \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
