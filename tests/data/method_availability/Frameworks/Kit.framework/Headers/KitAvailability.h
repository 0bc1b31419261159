/* Availability macros in the shape of today's SDKs: the macro picks its expansion by the
   number of its arguments, so the define records cannot follow it to an attribute. */
#ifndef __KitAvailability_h_INCLUDE
#define __KitAvailability_h_INCLUDE

#define __KIT_GET_MACRO(_0,_1,_2,NAME,...) NAME
#define __KIT_AVAILABLE1(x) __attribute__((availability(x)))
#define __KIT_AVAILABLE2(x,y) __KIT_AVAILABLE1(x) __KIT_AVAILABLE1(y)
#define API_AVAILABLE(...) __KIT_GET_MACRO(0,__VA_ARGS__,__KIT_AVAILABLE2,__KIT_AVAILABLE1,0)(__VA_ARGS__)
#define API_DEPRECATED(msg, ...) __KIT_GET_MACRO(0,__VA_ARGS__,__KIT_AVAILABLE2,__KIT_AVAILABLE1,0)(__VA_ARGS__)
#define NS_UNAVAILABLE UNAVAILABLE_ATTRIBUTE
#define NS_NOESCAPE __attribute__((noescape))
#define KIT_SWIFT_UI_ACTOR __attribute__((swift_attr("@UIActor")))

#endif
