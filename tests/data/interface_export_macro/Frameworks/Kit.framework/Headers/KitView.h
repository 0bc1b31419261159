/* Export and availability macros written before a class or a protocol, as today's
   frameworks do: the class is read, no function is made of it. A variable after the same
   macro stays a variable. A protocol list given through a macro after the superclass. */
#import <Kit/KitDefines.h>

KIT_EXTERN NSString *const KitViewDidChangeNotification;

KIT_EXTERN KIT_AVAILABLE(10.5)
@interface KitCollectionView : KitView <KitDragging>
- (void)reloadData;
@end

KIT_EXPORT
/* Abstract base class. */
KIT_SENDABLE API_AVAILABLE(macos(10.6), ios(2.0)) API_DEPRECATED("Use (another) class", macos(10.6, 10.9))
@interface KitLocation : NSObject
- (double)altitude;
@end

API_AVAILABLE(macos(10.15)) @protocol KitContainer <NSObject>
- (NSSize)contentSize;
@end

KIT_EXTERN @protocol KitItem
- (id)item;
@end

@interface KitPlayer : KitNode KIT_MIXING_CONFORMANCE
- (void)play;
@end

KIT_EXTERN
#if defined(KIT_OTHER_PLATFORM) && KIT_OTHER_PLATFORM
KIT_AVAILABLE(10.15) API_UNAVAILABLE(watchos, tvos, visionos)
#else
KIT_AVAILABLE(10.15) API_UNAVAILABLE(watchos, tvos)
#endif
@interface KitVisit : NSObject
- (double)arrival;
@end

KIT_EXTERN double KitDefaultVolume;
