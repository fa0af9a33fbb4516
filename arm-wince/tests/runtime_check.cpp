// A C++ program on the CE runtime, under the emulator: static constructors
// and destructors, integer division and double arithmetic through the
// helpers (each result against the compiler's own constant folding of the
// same expression), and the library's containers on new/delete.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "tiny_check.h"

using HINSTANCE = struct HINSTANCE__*;

namespace {

// -- start-up and end ------------------------------------------------------

// The order the static objects below were made in. Plain zero-initialized
// data: it must not wait for a constructor of its own.
char g_constructed[3];
int g_constructedCount;

struct Registered {
    explicit Registered(char name) : name_(name)
    {
        if (g_constructedCount < 2)
            g_constructed[g_constructedCount++] = name;
    }
    // Runs after WinMain; the emulator prints what it writes.
    ~Registered()
    {
        static std::string destroyed;
        destroyed += name_;
        if (destroyed.size() == 2)
            tiny_check::Write("static destructors ran in the order " + destroyed);
    }
    char name_;
};

Registered g_late('b');
Registered g_early __attribute__((init_priority(200)))('a');

}  // namespace

// Set by a static constructor in runtime_check_registry.cpp.
bool g_registeredFromAnotherFile = false;

namespace {

// -- integer division --------------------------------------------------------

template <class T>
struct DivisionCase {
    T n, d, quotient, remainder;
};

// The expected values are folded by the compiler; the program divides the
// same operands at run time through the helpers.
#define DIVISION(T, n, d) DivisionCase<T>{n, d, static_cast<T>((n) / (d)), static_cast<T>((n) % (d))}

template <class T, std::size_t N>
void CheckDivision(const DivisionCase<T> (&cases)[N])
{
    for (const auto& c : cases) {
        volatile T n = c.n;
        volatile T d = c.d;
        CHECK_EQ(n / d, c.quotient);
        CHECK_EQ(n % d, c.remainder);
    }
}

void CheckIntegerDivision()
{
    const DivisionCase<std::int32_t> signed32[] = {
        DIVISION(std::int32_t, 7, 2), DIVISION(std::int32_t, -7, 2), DIVISION(std::int32_t, 7, -2),
        DIVISION(std::int32_t, -7, -2), DIVISION(std::int32_t, 0, 5), DIVISION(std::int32_t, 5, 7),
        DIVISION(std::int32_t, 2147483647, 1), DIVISION(std::int32_t, -2147483647 - 1, 3),
        DIVISION(std::int32_t, 1000000, 15), DIVISION(std::int32_t, 268, 15)};
    const DivisionCase<std::uint32_t> unsigned32[] = {
        DIVISION(std::uint32_t, 4294967295u, 1u), DIVISION(std::uint32_t, 4294967295u, 2u),
        DIVISION(std::uint32_t, 4294967295u, 4294967295u), DIVISION(std::uint32_t, 2147483648u, 3u),
        DIVISION(std::uint32_t, 100u, 10u), DIVISION(std::uint32_t, 3u, 4294967295u)};
    const DivisionCase<std::int64_t> signed64[] = {
        DIVISION(std::int64_t, 9223372036854775807ll, 10), DIVISION(std::int64_t, -9223372036854775807ll - 1, 10),
        DIVISION(std::int64_t, -123456789012345ll, -7), DIVISION(std::int64_t, 5, 9)};
    const DivisionCase<std::uint64_t> unsigned64[] = {
        DIVISION(std::uint64_t, 18446744073709551615ull, 10u), DIVISION(std::uint64_t, 4294967296ull, 4294967295ull),
        DIVISION(std::uint64_t, 1ull << 63, 3u)};
    CheckDivision(signed32);
    CheckDivision(unsigned32);
    CheckDivision(signed64);
    CheckDivision(unsigned64);
}

// -- doubles -----------------------------------------------------------------

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct DoublePair {
    double a, b;
    double sum, difference, product, quotient;
    bool equal, less, lessOrEqual, greater, greaterOrEqual;
};

#define PAIR(a, b) DoublePair{a, b, (a) + (b), (a) - (b), (a) * (b), (a) / (b), \
                               (a) == (b), (a) < (b), (a) <= (b), (a) > (b), (a) >= (b)}

void CheckDoubles()
{
    constexpr double nan = __builtin_nan("");
    constexpr double huge = 1.7976931348623157e308;
    const DoublePair pairs[] = {
        PAIR(1.5, 2.25), PAIR(-1.0 / 3.0, 0.1), PAIR(250.0, 1.0 / 15.0), PAIR(3.0, 3.0),
        PAIR(-0.0, 0.0), PAIR(huge, 10.0), PAIR(1e-300, 1e-300), PAIR(nan, 1.0), PAIR(2.0, nan)};
    for (const auto& p : pairs) {
        volatile double a = p.a;
        volatile double b = p.b;
        CHECK(SameBits(a + b, p.sum) || (p.sum != p.sum && (a + b) != (a + b)));
        CHECK(SameBits(a - b, p.difference) || (p.difference != p.difference && (a - b) != (a - b)));
        CHECK(SameBits(a * b, p.product) || (p.product != p.product && (a * b) != (a * b)));
        CHECK(SameBits(a / b, p.quotient) || (p.quotient != p.quotient && (a / b) != (a / b)));
        CHECK_EQ(a == b, p.equal);
        CHECK_EQ(a != b, !p.equal);
        CHECK_EQ(a < b, p.less);
        CHECK_EQ(a <= b, p.lessOrEqual);
        CHECK_EQ(a > b, p.greater);
        CHECK_EQ(a >= b, p.greaterOrEqual);
    }

    // Conversions truncate toward zero.
    struct Conversion {
        double value;
        std::int32_t toInt;
        std::uint32_t toUnsigned;
        std::int64_t toInt64;
    };
#define CONVERSION(v) Conversion{v, static_cast<std::int32_t>(v), static_cast<std::uint32_t>((v) < 0 ? 0 : (v)), \
                                 static_cast<std::int64_t>(v)}
    const Conversion conversions[] = {CONVERSION(2.7), CONVERSION(-2.7), CONVERSION(0.999), CONVERSION(4000000000.5),
                                      CONVERSION(-2147483648.0), CONVERSION(17.0 * 0.6)};
    for (const auto& c : conversions) {
        volatile double v = c.value;
        if (c.value > -2147483649.0 && c.value < 2147483648.0)
            CHECK_EQ(static_cast<std::int32_t>(v), c.toInt);
        if (c.value >= 0)
            CHECK_EQ(static_cast<std::uint32_t>(v), c.toUnsigned);
        CHECK_EQ(static_cast<std::int64_t>(v), c.toInt64);
    }
    volatile std::int32_t i = -12345;
    volatile std::uint32_t u = 4000000000u;
    volatile std::int64_t big = -9007199254740993ll;  // not exactly a double: rounds
    CHECK(SameBits(static_cast<double>(i), -12345.0));
    CHECK(SameBits(static_cast<double>(u), 4000000000.0));
    CHECK(SameBits(static_cast<double>(big), static_cast<double>(-9007199254740993ll)));
}

// -- the library on new/delete ------------------------------------------------

struct Shape {
    virtual ~Shape() = default;
    virtual int Corners() const = 0;
};
struct Triangle : Shape {
    int Corners() const override { return 3; }
};
struct Square : Shape {
    int Corners() const override { return 4; }
};

// The red-black tree's rules on every node: a red node has black children,
// every path down holds as many black nodes, parents and children agree.
int BlackHeight(const std::_Rb_tree_node_base* node, bool& valid)
{
    if (!node)
        return 1;
    for (const std::_Rb_tree_node_base* child : {node->_M_left, node->_M_right}) {
        if (child && child->_M_parent != node)
            valid = false;
        if (child && node->_M_color == std::_S_red && child->_M_color == std::_S_red)
            valid = false;
    }
    const int left = BlackHeight(node->_M_left, valid);
    if (left != BlackHeight(node->_M_right, valid))
        valid = false;
    return left + (node->_M_color == std::_S_black ? 1 : 0);
}

void CheckContainers()
{
    std::vector<Shape*> shapes;
    for (int i = 0; i < 100; ++i)
        shapes.push_back(i % 3 ? static_cast<Shape*>(new Triangle) : new Square);
    int corners = 0;
    for (Shape* shape : shapes) {
        corners += shape->Corners();
        delete shape;
    }
    CHECK_EQ(corners, 34 * 4 + 66 * 3);

    std::wstring text = L"Score: %d";
    text.replace(text.find(L"%d"), 2, L"4294967295");
    CHECK(text == L"Score: 4294967295");
    CHECK_EQ(text.size(), 17u);
    CHECK(std::wstring(L"hiscore") + L"2" == L"hiscore2");
    const std::string key = "hiscore2/score1";
    volatile char separator = '/';
    volatile char absent = '#';
    CHECK_EQ(key.find(separator), 8u);
    CHECK(key.find(absent) == std::string::npos);

    // std::set against a sorted vector, under inserts and erases in a
    // scrambled order, with the tree's rules checked as it changes.
    std::set<int> set;
    std::vector<int> sorted;
    std::uint32_t state = 12345;
    bool treeValid = true;
    for (int step = 0; step < 3000; ++step) {
        state = state * 1103515245u + 12345u;
        const int key = static_cast<int>((state >> 16) % 200);
        const auto at = std::lower_bound(sorted.begin(), sorted.end(), key);
        const bool present = at != sorted.end() && *at == key;
        if ((state >> 8) & 1) {
            set.insert(key);
            if (!present)
                sorted.insert(at, key);
        } else {
            set.erase(key);
            if (present)
                sorted.erase(at);
        }
        const std::_Rb_tree_node_base* root = set.end()._M_node->_M_parent;
        if (root && root->_M_color != std::_S_black)
            treeValid = false;
        BlackHeight(root, treeValid);
    }
    CHECK(treeValid);
    CHECK(std::equal(set.begin(), set.end(), sorted.begin(), sorted.end()));
    CHECK(std::equal(set.rbegin(), set.rend(), sorted.rbegin(), sorted.rend()));

    std::map<std::wstring, int> scores{{L"score3", 3}, {L"score1", 1}, {L"score2", 2}};
    std::wstring keys;
    for (const auto& entry : scores)
        keys += entry.first;
    CHECK(keys == L"score1score2score3");

    // The nothrow form answers an impossible request with null.
    char* tooMuch = new (std::nothrow) char[0x7FFFFFF0];
    CHECK(tooMuch == nullptr);
    delete[] tooMuch;
}

}  // namespace

extern "C" int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int)
{
    CHECK(std::string(g_constructed) == "ab");  // init_priority(200) before the default
    CHECK(g_registeredFromAnotherFile);
    CheckIntegerDivision();
    CheckDoubles();
    CheckContainers();
    return tiny_check::Summary("runtime");
}
