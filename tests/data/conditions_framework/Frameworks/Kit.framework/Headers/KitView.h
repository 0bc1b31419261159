/* Every term of a condition counts, #elif is chosen by its own condition, and an export macro
   before @interface marks the class. */
#import <Kit/KitDefines.h>

#if (defined(USE_KIT_PUBLIC_HEADERS) && USE_KIT_PUBLIC_HEADERS) || !__has_include(<KitPrivate/KitView.h>)

KIT_EXTERN KIT_AVAILABLE(10.7)
@interface KitView : NSObject
- (void) display;
#if __OBJC2__ && __LP64__
- (void) modernOnly;
#endif
#if !__LP64__
- (void) thirtyTwoBitOnly;
#endif
#if KIT_VERSION_AT_LEAST(14, 0)
- (void) sonoma;
#elif KIT_VERSION_AT_LEAST(13, 0)
- (void) ventura;
#else
- (void) older;
#endif
@end

KIT_EXTERN NSString *const KitViewDidChangeNotification;

#if 1
KIT_EXTERN void KitViewReset(void);
#endif

#if !__LP64__
KIT_EXTERN void KitQuickDrawCall(short port);
#endif

#endif
