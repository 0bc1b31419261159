/* Enum macros in the shape of a system's availability header: the named form through a macro
   that picks it by the number of arguments, options with a fixed type, error enums whose
   type is written in the macro, and the older form without a fixed type. */
#ifndef __BaseAvailability_h_INCLUDE
#define __BaseAvailability_h_INCLUDE

#define BASE_AVAILABLE(x) __attribute__((availability(macos,introduced=x)))
#define BASE_SWIFT_NAME(n) __attribute__((swift_name(#n)))
#define BASE_DEPRECATED_ATTRIBUTE __attribute__((deprecated))

#define __BASE_ENUM_ATTRIBUTES __attribute__((enum_extensibility(open)))
#define __BASE_ENUM_GET_MACRO(_1, _2, NAME, ...) NAME
#define __BASE_NAMED_ENUM(_type, _name)     enum __BASE_ENUM_ATTRIBUTES _name : _type _name; enum _name : _type
#define __BASE_ANON_ENUM(_type)             enum __BASE_ENUM_ATTRIBUTES : _type
#define BASE_ENUM(...) __BASE_ENUM_GET_MACRO(__VA_ARGS__, __BASE_NAMED_ENUM, __BASE_ANON_ENUM, )(__VA_ARGS__)
#define BASE_OPTIONS(_type, _name) enum __attribute__((flag_enum)) _name : _type _name; enum _name : _type
#define BASE_ERROR_ENUM(_domain, _name) enum _name : long _name; enum __attribute__((ns_error_domain(_domain))) _name : long
#define BASE_OLD_ENUM(_type, _name) _type _name; enum
#define BASE_FLAGS_ENUM enum : unsigned int

#define KIT_ENUM(...) BASE_ENUM(__VA_ARGS__)
#define KIT_OPTIONS(_type, _name) BASE_OPTIONS(_type, _name)

#endif
