#include "TestMain.h"

#include <QApplication>
#include <QTest>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    for (auto& make : testing_support::registry()) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failed == 0 ? 0 : 1;
}
