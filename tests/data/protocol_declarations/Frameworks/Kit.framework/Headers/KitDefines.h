/* The framework's export and availability macros. */
#define KIT_EXPORT extern __attribute__((visibility("default")))
#define KIT_AVAILABLE(...) __attribute__((availability(macos, introduced=10.5)))
