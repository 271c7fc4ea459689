// The yardstick for `quenzar --version`: the barest Qt program, a QCoreApplication that prints
// one line and ends.
#include "programversion.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("Quenzar %s\n", qPrintable(quenzar::programVersion.toString()));
    return 0;
}
