#include "TestMain.h"

#include <QApplication>
#include <QTest>
#include <memory>

namespace {

// The build's data and library folders stand in for the environment CTest gives, so a test
// executable started by hand reads the same tables.
void UseBuildFoldersWhereUnset()
{
    if (!qEnvironmentVariableIsSet("TEZDESK_DATA_DIR"))
        qputenv("TEZDESK_DATA_DIR", TEZDESK_BUILD_DATA_DIR);
    if (!qEnvironmentVariableIsSet("TEZDESK_LIB_DIR"))
        qputenv("TEZDESK_LIB_DIR", TEZDESK_BUILD_LIB_DIR);
}

} // namespace

int main(int argc, char** argv)
{
    UseBuildFoldersWhereUnset();
    QApplication app(argc, argv);
    int failed = 0;
    for (auto& make : testing_support::registry()) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failed == 0 ? 0 : 1;
}
