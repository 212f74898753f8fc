// A plug-in of the tests that is a loadable library without the entry the program calls.
#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT int ReportEvent(int event) { return event; }
