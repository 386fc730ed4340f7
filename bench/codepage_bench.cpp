// Times what each keystroke in the Traditional box costs in code page work: the whole box
// turned into Big5 bytes (and back), for 35,000 characters Big5 holds and 35,000 it cannot.
#include "platform/CodePage.h"

#include <chrono>
#include <cstdio>

namespace {

double MillisecondsPerCall(const QString& text, int calls)
{
    const auto start = std::chrono::steady_clock::now();
    qsizetype sink = 0;
    for (int i = 0; i < calls; ++i)
        sink += FromBig5(ToBig5(text)).size();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return sink > 0 ? spent.count() / calls : 0;
}

} // namespace

int main()
{
    const qsizetype size = 35000;
    const QString held = QString(size, QChar(u'體'));
    const QString notHeld = QString(size, QChar(u'软'));
    const auto start = std::chrono::steady_clock::now();
    ToBig5(QStringLiteral("warm up"));
    const std::chrono::duration<double, std::milli> tables = std::chrono::steady_clock::now() - start;
    std::printf("Big5 tables built on first use:  %.2f ms\n", tables.count());
    std::printf("35,000 characters Big5 holds:    %.2f ms per keystroke\n", MillisecondsPerCall(held, 50));
    std::printf("35,000 characters Big5 lacks:    %.2f ms per keystroke\n", MillisecondsPerCall(notHeld, 50));
    return 0;
}
