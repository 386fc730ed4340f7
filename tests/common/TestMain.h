#pragma once
// One test executable per folder: every test class in it registers itself here and
// the shared main runs them all, failing when any of them fails.
#include <QObject>
#include <functional>
#include <vector>

namespace testing_support {

using TestFactory = std::function<QObject*()>;

inline std::vector<TestFactory>& registry()
{
    static std::vector<TestFactory> factories;
    return factories;
}

struct Registrar {
    explicit Registrar(TestFactory f) { registry().push_back(std::move(f)); }
};

} // namespace testing_support

#define TEZ_REGISTER_TEST(Class) \
    static testing_support::Registrar registrar_##Class([] { return new Class; });
