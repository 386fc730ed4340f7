// Stand-in for the double-array header the comparison library's legacy .ocd format needs:
// the benchmark loads .ocd2 dictionaries only, so every use of this class fails loudly.
#pragma once
#include <cstddef>
#include <stdexcept>

namespace Darts {

class DoubleArray {
public:
    typedef int value_type;
    struct result_pair_type {
        value_type value;
        std::size_t length;
    };
    template <typename T>
    void exactMatchSearch(const char*, T&, std::size_t = 0, std::size_t = 0) const { refuse(); }
    template <typename T>
    std::size_t commonPrefixSearch(const char*, T*, std::size_t, std::size_t = 0, std::size_t = 0) const {
        refuse();
        return 0;
    }
    std::size_t unit_size() const { return 4; }
    std::size_t size() const { return 0; }
    std::size_t total_size() const { return 0; }
    const void* array() const { return nullptr; }
    void set_array(const void*, std::size_t = 0) { refuse(); }
    bool validate(value_type) const { return false; }
    int build(std::size_t, const char* const*, const std::size_t* = nullptr, const value_type* = nullptr,
              int (*)(std::size_t, std::size_t) = nullptr) {
        refuse();
        return -1;
    }

private:
    [[noreturn]] static void refuse() { throw std::runtime_error("legacy .ocd dictionaries are not built in"); }
};

}  // namespace Darts
