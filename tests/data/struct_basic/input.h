/* Geometry and table types, in the shape of a framework geometry header.
   typedef struct NotSeen { int x; } InAComment;  */

#import <Foundation/NSObjCRuntime.h>

typedef struct _NSPoint {
    float x;
    float y;
} NSPoint;

typedef struct _NSSize {
    float width;		/* should never be negative */
    float height;		/* should never be negative */
} NSSize;

typedef struct _NSRange NSRange;
struct _NSRange
{
  unsigned int location;
  unsigned int length;
};

struct _NSZone;

typedef struct {
    signed   int _exponent:8;
    unsigned int _length:4;     // length == 0 && isNegative -> NaN
    unsigned short _mantissa[8];
} NSDecimal;

typedef struct {unsigned _pi; unsigned _si; void *_bs;} NSHashEnumerator;

typedef struct {
    unsigned	(*hash)(NSHashTable *table, const void *);
    BOOL	(*isEqual)(NSHashTable *table, const void *, const void *);
} NSHashTableCallBacks;

struct _NSOpaque {
};

#if 0
struct _NSHidden { int hidden; };
#endif
