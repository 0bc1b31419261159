/* Functions and constants exported through the base framework's macros. */
#ifndef __KitFunctions_h_INCLUDE
#define __KitFunctions_h_INCLUDE

#import <Base/BaseExport.h>

BASE_BEGIN_DECLS
BASE_DECLARE_ERROR

BASE_EXPORT NSString * const KitErrorDomain;
BASE_EXPORT NSString *KitStringFromRect(NSRect aRect);
KIT_EXPORT NSString *KitWidgetNotification;
APPKIT_EXTERN NSString *KitDirectNotification;
KIT_INLINE BOOL KitIsEmpty(NSRect r) { return r.size.width == 0; }
BASE_EXTERNALS int notAnExport;
BASE_DECLARE(KitDeclared);
BASE_LOOP_A int looping;

static inline NSPoint
KitMakePoint(CGFloat x, CGFloat y)
{
  NSPoint p;
  p.x = x;
  p.y = y;
  return p;
}

static struct KitState { int depth; } kitState;

BASE_END_DECLS

BASE_EXPORT_CLASS
@interface KitWidget : NSObject
BASE_EXPORT NSString *KitWidgetDidChange;
- (void) setName: (NSString*)name BASE_EXPORT;
@end

#endif
