/* Availability macros in a header of their own, as an SDK keeps them: the headers that import
   it expand them with its definitions. */
#define __API_AVAILABLE_PLATFORM_macos(x) macos,introduced=x
#define __API_A(x) __attribute__((availability(x)))
#define API_AVAILABLE(p) __API_A(__API_AVAILABLE_PLATFORM_##p)
#define API_DEPRECATED(msg, from, to) __attribute__((availability(macos,introduced=from,deprecated=to,message=msg)))
/* A literal made into a string, and one pasted into a number: never one shape for all. */
#define AV_SINCE_NAMED(v) __attribute__((availability(macos,introduced=10.0,deprecated=10.9,message=#v)))
#define AV_SINCE_TEN(minor) __attribute__((availability(macos,introduced=10. ## minor)))
/* Words of the arguments: carried through as they are (one shape for every platform), unless
   pasted or quoted, or a macro themselves. */
#define AV_WITH(kind, v) __attribute__((availability(kind,introduced=v)))
#define AV_PLATFORM(p, v) __attribute__((availability(p##os,introduced=v)))
#define AV_RENAMED(n) __attribute__((availability(macos,introduced=10.0,deprecated=10.1,replacement=#n)))
#define AV_MAC macos
