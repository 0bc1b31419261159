/* NSWidgetController.h
   A controller whose interface depends on the platform.
*/

#import <Foundation/NSObject.h>

@interface NSWidgetController : NSObject
{
    id _widget;
#ifdef __OBJC__
    id _owner;
#else
    void *_owner;
#endif
#if defined(GS_WITH_GC) && GS_WITH_GC
    enum { NSGCOn, NSGCOff } _gcMode;
#endif
    enum {
        NSWidgetControllerIdle,
#if MAC_OS_X_VERSION_10_4 <= MAC_OS_X_VERSION_MAX_ALLOWED
        NSWidgetControllerRunning,
#endif
        NSWidgetControllerStopped
    } _mode;
}

- (id) widget;
#if OS_API_VERSION(GS_API_MACOSX, GS_API_LATEST)
- (void) setWidget: (id)aWidget;
#endif
#ifdef GNUSTEP
- (void) gnustepOnly;
#else
- (void) macOnly;
#endif
#if MAC_OS_X_VERSION_10_3 <= MAC_OS_X_VERSION_MAX_ALLOWED
- (BOOL) validateWidget: (id)aWidget
                  error: (NSError **)outError;
#elif defined(GNUSTEP)
- (BOOL) validateWidget: (id)aWidget;
#else
- (BOOL) neverSeen;
#endif

extern NSString *NSWidgetControllerDidLoadNotification;
struct _NSWidgetInfo {
    int depth;
    int flags;
};
typedef enum { NSWidgetA, NSWidgetB } NSWidgetLetter;
typedef struct _NSWidgetSize { float w; float h; } NSWidgetSize;

- (NSWidgetLetter) letter;
@end
