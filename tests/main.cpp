#include <QApplication>
#include <gtest/gtest.h>

#include <cstring>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVEL_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUORVEL_ADDRESS_SANITIZER)
// The sanitizers' options travel with the tests, whoever runs them. The toolkit's plugins load
// thread-local blocks that the leak checker's own tracking misreads here, and its tracer then
// crashes at exit after a passing test: without that tracking it scans the threads as they stand.
extern "C" const char* __asan_default_options() { return "detect_leaks=1:intercept_tls_get_addr=0"; }
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1"; }
#endif

// One QApplication for the whole test process; each test builds the windows it needs. Listing
// the tests needs no toolkit, and CTest lists them without the offscreen platform set.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
