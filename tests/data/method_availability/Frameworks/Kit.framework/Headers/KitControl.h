/* Attribute and availability macros after a selector without arguments, after the last
   argument, between a type and its name, inside a type; deprecation messages holding ";",
   a selector and parentheses; a struct in an argument type; a declaration cut by "@end". */
#import <Kit/KitAvailability.h>

@interface KitControl : KitView
- (instancetype)init NS_UNAVAILABLE;
+ (instancetype)new NS_UNAVAILABLE;
- (void)drawFocusRingMask API_AVAILABLE(macos(10.7));
- (void)reverseEvents API_AVAILABLE(macos(13.0), ios(16.0)) __WATCHOS_PROHIBITED;
- (void)lockFocus API_DEPRECATED("To draw, implement -drawRect:; AppKit calls -drawRect: (as needed).", macos(10.0,10.14));
- (BOOL)removeTrack:(KitTrack *)track API_AVAILABLE(macos(13.0)) API_UNAVAILABLE(watchos);
- (void)restoreState:(KitState *)state KIT_SWIFT_UI_ACTOR API_AVAILABLE(macos(10.10));
- (void)sendEventList:(const struct KitEventList *)eventList API_AVAILABLE(macos(13.0));
- (void)performWithoutAnimation:(NS_NOESCAPE void (^)(void))actions;
- (id)valueForKey:(NSString *)key
      API_AVAILABLE(macos(10.0)) ;
- (void)unfinished
@end

@protocol KitControlDelegate
- (void)controlDidChange:(KitControl *)control KIT_SWIFT_UI_ACTOR;
- (BOOL)controlShouldEnd KIT_SWIFT_UI_ACTOR API_DEPRECATED("No longer called; see \"KitEditor\".", macos(10.0, 10.5));
@end
