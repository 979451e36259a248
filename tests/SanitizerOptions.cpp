// Sanitizer settings of every test program, so that a test run by hand, by ctest or by the
// test discovery behaves the same: the libraries the GUI uses keep caches until exit, so
// leak checking would report them; undefined behaviour prints where it happened.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}
