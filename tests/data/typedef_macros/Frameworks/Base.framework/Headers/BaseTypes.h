/* Types written through macros that the header defines. */
#ifndef BASE_TYPES_H
#define BASE_TYPES_H

#define BASE_BRIDGED_TYPE(T) __attribute__((objc_bridge(T)))
#define BASE_TYPED_ENUM __attribute__((swift_wrapper(enum)))
#define APIENTRY
#define APIENTRYP APIENTRY *
#define CALLBACK_API_C(_type, _name) _type (*_name)
#define STACK_UPP_TYPE(name) name

typedef const struct BASE_BRIDGED_TYPE(NSString) __BaseString * BaseStringRef;
typedef NSString * BaseKey BASE_TYPED_ENUM;
typedef void (APIENTRYP PFNBASEFLUSHPROC)(GLenum target);
typedef CALLBACK_API_C( OSErr , BaseCoerceProcPtr )(const AEDesc *fromDesc, DescType toType);
typedef STACK_UPP_TYPE(BaseCoerceProcPtr) BaseCoerceUPP;

#endif
