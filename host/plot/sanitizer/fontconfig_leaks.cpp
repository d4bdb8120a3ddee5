// Linked into executables that plot through QtGui (tests, benchmarks, tools). fontconfig keeps
// its pattern caches to the end of the process because Qt never calls FcFini; LeakSanitizer
// would report them at exit and fail every sanitizer run. Our own leaks are still reported.
// The hook must live in the executable: the sanitizer runtime is loaded before any library.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
