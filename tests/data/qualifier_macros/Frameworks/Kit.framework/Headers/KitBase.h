/* Nullability written through the framework's own macros, as ImageIO writes them. */
#ifndef KIT_BASE_H
#define KIT_BASE_H

#if defined(__has_feature) && __has_feature(nullability)
# define kit_Nullable _Nullable
# define kit_Nonnull _Nonnull
#else
# define kit_Nullable
# define kit_Nonnull
#endif
#define KIT_NULLABLE_RESULT kit_Nullable
#define KIT_EXPORT extern __attribute__((visibility("default")))

#endif
