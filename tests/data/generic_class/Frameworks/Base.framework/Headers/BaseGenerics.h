/* Lightweight-generics macros, in the shape of a runtime header. */
#ifndef __BaseGenerics_h_INCLUDE
#define __BaseGenerics_h_INCLUDE

#if __has_feature(objc_generics)
# define GENERIC_CLASS(clz, ...) clz<__VA_ARGS__>
#else
# define GENERIC_CLASS(clz, ...) clz
#endif
#define SECOND_NAME(first, second) second
#define GENERIC_CLASSES(clz) clzList
#define KitOldString KitConstantString

#endif
