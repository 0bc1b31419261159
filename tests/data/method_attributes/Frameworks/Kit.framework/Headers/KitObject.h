/* Attribute macros in method declarations: before the selector, after it, after an argument
   name, with arguments; an untyped argument; type macros in parentheses stay. */
#import <Kit/KitDefines.h>

@interface KitObject : NSObject
+ (id) KIT_RETURNS_RETAINED leak: (id)anObject;
- (id) retain KIT_UNAVAILABLE;
- (void) log: (NSString*)format, ... KIT_FORMAT(1,2);
- (void) fail: (NSString*)reason KIT_NORETURN;
- (void) old __kit_deprecated;
- (void) later API_AVAILABLE(macos(10.12), ios(10.0));
- (id) init NS_DESIGNATED_INITIALIZER;
- (void) plain __attribute__((deprecated("use -other")));
- (KIT_GENERIC(T)) first: (KIT_GENERIC(T))fallback;
- (void) handle: (SEL)s object: anObject file: (id)f;
@end

@protocol KitDelegate
- (void) kitDidFinish: (id)sender KIT_UNAVAILABLE;
@optional
- (BOOL) kitShouldStart: (id)sender NS_SWIFT_NAME(shouldStart(_:));
@end
