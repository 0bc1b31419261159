/* The version macros of a base framework, guarded as every header of the framework is. */

#ifndef __BaseMacros_h_INCLUDE
#define __BaseMacros_h_INCLUDE

#define BASE_API_VERSION(ADDED, REMOVED) (ADDED <= 100 && REMOVED > 100)
#define BASE_HAS_PROPERTIES 1

/* Not the guard idiom: the next directive defines another symbol. Nobody defines
   BASE_NO_EXTRAS, so the branch is read and BASE_EXTRAS defined. */
#ifndef BASE_NO_EXTRAS
#define BASE_EXTRAS 1
#endif

#endif /* __BaseMacros_h_INCLUDE */
