/* Lines of declarations written over several lines, behind conditions, and after comments
   that hold code-like text. */
#if 0
@interface LineView : Nothing   /* a rejected branch: not where the class is */
#endif

/* @interface LineView : Fake
   a comment is not the class either */
@interface LineView : LineResponder
- (void)
    moveTo:(int)x
    y:(int)y;
#if defined(NOT_DEFINED)
- (void)hidden;
#else
- (void)shown;
#endif
@end

@interface LineView (Extras)
- (void)extra;
@end

typedef struct LinePoint {
    int x;
} LinePoint;

typedef void (*LineCallback)(int);
typedef int LineA, *LineB;

extern const char *
    LineName;

static inline int LineSquare(int x) { return LineName ? x * x : 0; }
