/* Properties with attribute and availability macros after the name, before a block's caret,
   before the type; a name written in capitals; messages holding ";" and quotes. */
#import <Kit/KitDefines.h>

@interface KitColor : NSObject
@property (class) BOOL ignoresAlpha NS_SWIFT_UI_ACTOR;
@property (readonly) CGColorRef CGColor NS_RETURNS_INNER_POINTER;
@property KitDraggingFormation draggingFormation NS_SWIFT_UI_ACTOR API_AVAILABLE(macos(10.7));
@property (readonly) CGPathRef CGPath API_AVAILABLE(macos(14.0)) CF_RETURNS_NOT_RETAINED;
@property (nullable, copy) void (NS_SWIFT_SENDABLE ^cancellationHandler)(void);
@property (copy) void (^pausedHandler)(KitController *controller) API_DEPRECATED("Use -resume; see \"Kit\".", macos(10.0, 10.9));
@property (weak) IBOutlet NSView *view;
@property (readonly) NSUInteger MAX_COUNT;
@property (assign, nullable) id<KitDelegate> delegate API_DEPRECATED("No longer supported", ios(4.0, 6.0)) API_UNAVAILABLE(macos) __WATCHOS_PROHIBITED;
@property (readonly) BOOL inputIsAvailable __WATCHOS_PROHIBITED; /* is input available; or not */
@property (class, readonly) KitColor *sharedColor NS_SWIFT_NAME(shared);
@property (readonly) NSView *contentView NS_UNAVAILABLE;
@property (readonly) NSString *a, *b API_AVAILABLE(macos(10.0));
@end
