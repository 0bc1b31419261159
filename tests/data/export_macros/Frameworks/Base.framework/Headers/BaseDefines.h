/* Export and inline macros as today's framework headers define them. */
#ifndef BASE_DEFINES_H
#define BASE_DEFINES_H

#ifdef __cplusplus
# define BASE_EXPORT extern "C" __attribute__((visibility("default")))
#else
# define BASE_EXPORT extern __attribute__((visibility("default")))
#endif

#if !defined(BASE_EXTERN)
#  if defined(_MSC_VER)
#    define BASE_EXTERN __declspec(dllimport) extern
#  else
#    define BASE_EXTERN __attribute__((visibility("default"))) extern
#  endif
#endif

#define BASE_EXTERN_THROUGH BASE_EXTERN
#define BASE_WRAP(k) k __attribute__((used))
#define BASE_WRAPPED BASE_WRAP(extern)
#define BASE_INLINE static __inline__ __attribute__((always_inline))
#define BASE_AVAILABLE(v) __attribute__((availability(macos,introduced=v)))
#define BASE_SWIFT_NAME(n) __attribute__((swift_name(#n)))
#define BASE_RETURNS_RETAINED __attribute__((cf_returns_retained))
#define BASE_NONNULL _Nonnull
#define BASE_CLASS_EXPORT __attribute__((visibility("default")))
#define KitLoadResource LoadResource

#endif
