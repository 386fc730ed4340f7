// Starts the program's kind of office, prints its process id and crashes, so that a test can
// check the office does not outlive it.
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeSuite.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = QString::fromLocal8Bit(argv[1]);
    auto* suite = new office::OfficeSuite(settings);  // never destroyed: the crash ends it
    try {
        suite->Start();
    } catch (const office::OfficeError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("%ld\n", suite->ProcessId());
    std::fflush(stdout);
    std::abort();
}
