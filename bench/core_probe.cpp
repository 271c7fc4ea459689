// The yardstick for `quenzar --version`: the barest Qt program, a QCoreApplication that prints
// one line and ends.
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::puts("Quenzar 1.00");
    return 0;
}
