/* CGWidgetGeometry.h
   Inline constructors of the widget geometry types.
*/

#ifndef CGWIDGETGEOMETRY_H_
#define CGWIDGETGEOMETRY_H_

#if !defined(CG_INLINE)
#  define CG_INLINE static inline
#endif

CG_INLINE CGPoint CGWidgetPointMake(float x, float y);

CG_INLINE CGPoint
CGWidgetPointMake(float x, float y)
{
    CGPoint p; p.x = x; p.y = y; return p;
}

CG_INLINE CGRect
__CGWidgetRectMake(float x, float y, float width, float height)
{
    CGRect rect;
    if (width < 0) {
        x += width; width = -width;
    }
    rect.origin.x = x; rect.origin.y = y;
    rect.size.width = width; rect.size.height = height;
    return rect;
} extern int CGWidgetHiddenAfterBrace;

extern int CGWidgetCount;

FOUNDATION_STATIC_INLINE NSRange NSWidgetMakeRange(unsigned int loc, unsigned int len) {
    NSRange r;
    r.location = loc;
    r.length = len;
    return r;
}

FOUNDATION_STATIC_INLINE BOOL
NSWidgetEqualRanges(NSRange range1, NSRange range2)
{
    return (range1.location == range2.location && range1.length == range2.length);
}

FOUNDATION_STATIC_INLINE unsigned int NSWidgetMaxRange(NSRange range) {
    return (range.location + range.length);
} /* NSWidgetMaxRange */

#endif /* CGWIDGETGEOMETRY_H_ */
