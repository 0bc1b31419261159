/* Attribute macros in the shapes frameworks write them: empty, an attribute, function-like,
   through another macro, as a reserved word; and a macro that is no attribute. */
#ifndef __KitDefines_h_INCLUDE
#define __KitDefines_h_INCLUDE

#ifdef __clang__
#  define KIT_UNAVAILABLE __attribute__((unavailable))
#else
#  define KIT_UNAVAILABLE
#endif
#define KIT_RETURNS_RETAINED __attribute__((ns_returns_retained))
#define KIT_FORMAT(F,A) __attribute__((format(__NSString__, F, A)))
#define KIT_NORETURN_IMPL __attribute__((noreturn))
#define KIT_NORETURN KIT_NORETURN_IMPL
#define __kit_deprecated __attribute__((deprecated))
#define KIT_GENERIC(T) id

#endif
