/* Export and availability macros, in the shape of a framework's defines header. */
#ifndef KIT_DEFINES_H
#define KIT_DEFINES_H

#ifdef __cplusplus
# define KIT_EXPORT extern "C" __attribute__((visibility("default")))
#else
# define KIT_EXPORT extern __attribute__((visibility("default")))
#endif
#define KIT_DEPRECATED(message, ...) __attribute__((deprecated(message)))
#define KIT_SWIFT_NAME(name) __attribute__((swift_name(#name)))

#endif
