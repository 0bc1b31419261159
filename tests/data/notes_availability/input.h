/* Availability macros shaped as today's SDKs write them, and the older forms. */
#define __API_AVAILABLE_PLATFORM_macos(x) macos,introduced=x
#define __API_A(x) __attribute__((availability(x)))
#define __API_AVAILABLE1(a) __API_A(__API_AVAILABLE_PLATFORM_##a)
#define __API_AVAILABLE2(a,b) __API_AVAILABLE1(a) __API_AVAILABLE1(b)
#define __API_AVAILABLE_GET_MACRO(_0,_1,NAME,...) NAME
#define API_AVAILABLE(...) __API_AVAILABLE_GET_MACRO(__VA_ARGS__,__API_AVAILABLE2,__API_AVAILABLE1,0)(__VA_ARGS__)
#define API_DEPRECATED(msg, from, to) __attribute__((availability(macos,introduced=from,deprecated=to,message=msg)))
#define API_DEPRECATED_WITH_REPLACEMENT(rep, from, to) __attribute__((availability(macos,introduced=from,deprecated=to,replacement=rep)))
#define API_UNAVAILABLE(p) __attribute__((availability(p,unavailable)))
#define NS_UNAVAILABLE __attribute__((unavailable))
#define DEPRECATED_ATTRIBUTE __attribute__((deprecated))
#define AVAILABLE_MAC_OS_X_VERSION_10_5_AND_LATER __attribute__((availability(macosx,introduced=10.5)))
#define NS_AVAILABLE_MAC(v) __attribute__((availability(macosx,introduced=v)))
#define NS_SWIFT_UNAVAILABLE(m) __attribute__((availability(swift,unavailable,message=m)))

API_AVAILABLE(macos(10.7))
@interface AvView : AvResponder
- (void)drawFocusRingMask API_AVAILABLE(macos(10.7));
- (void)lockFocus API_DEPRECATED("To draw, implement -drawRect:", 10.0, 10.14);
- (void)oldThing API_DEPRECATED_WITH_REPLACEMENT("-newThing", 10.0, 10.9);
- (instancetype)init NS_UNAVAILABLE;
- (void)legacy DEPRECATED_ATTRIBUTE;
- (void)fromLeopard AVAILABLE_MAC_OS_X_VERSION_10_5_AND_LATER;
- (void)fromLion NS_AVAILABLE_MAC(10_7);
- (void)iosOnly API_UNAVAILABLE(macos) NS_SWIFT_UNAVAILABLE("no");
- (void)gone __attribute__((deprecated("use -there", "there")));
- (void)plain;
@property BOOL hidden API_AVAILABLE(macos(10.12));
@end

extern void AvFunction(int x) API_DEPRECATED("no longer", 10.0, 10.6);
extern int AvVariable API_AVAILABLE(macos(11.0));

typedef enum {
    AvModeA API_AVAILABLE(macos(10.10)),
    AvModeB
} AvMode API_AVAILABLE(macos(10.9));

typedef int AvNumber API_DEPRECATED("use int", 10.0, 10.4);
