// A tiny library that the DyLib tests load; nothing else in the process uses it, so whether
// it is still mapped shows whether DyLib released it.

extern "C" __attribute__((visibility("default"))) int quorvel_test_plugin_answer() { return 42; }
