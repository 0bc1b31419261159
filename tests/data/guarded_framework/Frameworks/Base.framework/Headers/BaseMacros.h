/* The version macros of a base framework, guarded as every header of the framework is. */

#ifndef __BaseMacros_h_INCLUDE
#define __BaseMacros_h_INCLUDE

#define BASE_API_VERSION(ADDED, REMOVED) (ADDED <= 100 && REMOVED > 100)
#define BASE_HAS_PROPERTIES 1

/* Not the guard idiom: the next directive defines another symbol, so in the define pass
   the branch is rejected as before (every unknown symbol counts as defined there). */
#ifndef BASE_NO_EXTRAS
#define BASE_EXTRAS 1
#endif

#endif /* __BaseMacros_h_INCLUDE */
