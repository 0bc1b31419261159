// @interface InLineComment : NSObject
/* extern int inBlock;
   @interface InBlock : NSObject @end */
#if 0
@interface Rejected : NSObject
@end
extern int rejected;
#endif
#ifdef __OBJC__
@class Forward;
@interface Shown : NSObject
extern int inBody;
@end
@interface Shown (Extras)
@end
@protocol Proto
@end
@interface Odd
@end
#endif
@end
extern int plainExtern;
static struct Point { int x; } origin;
structure isNotAKeyword;
Struct isNotEither;
EXTERN isNotEither;
type drops extern this line;
enum { kFileLevel };
typedef int Number;
FOUNDATION_EXPORT NSString *constant;
FOUNDATION_STATIC_INLINE int inlineFn(void) { return 0; }
APPKIT_EXTERN NSString *appkit;
CG_INLINE int cgInline(void) { return 0; }
CG_EXTERN void cgExtern(void);
