/* Declarations of several names at once, and a function declared and then defined, in the
   manner of GNUstep's geometry header. */

#define GS_GEOM_SCOPE extern
#define GS_GEOM_ATTR

extern NSString *const KitFirstKey, *const KitSecondKey;
extern int KitWidth, KitHeight, KitSizes[4];
extern "C" NSString *KitLinkedName(void);
FOUNDATION_EXPORT NSString *const KitMultiLine
    API_AVAILABLE(macos(10.0)) API_UNAVAILABLE(ios);
APPKIT_EXTERN NSString *KitAppKitA, *KitAppKitB;

GS_GEOM_SCOPE NSRect
NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) GS_GEOM_ATTR;

GS_GEOM_SCOPE NSRect
NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h)
{
  NSRect rect = {{x, y}, {w, h}};
  return rect;
}

CG_INLINE CGFloat KitGetWidth(CGRect rect);
CG_INLINE CGFloat KitGetWidth(CGRect rect) { return rect.size.width; }
