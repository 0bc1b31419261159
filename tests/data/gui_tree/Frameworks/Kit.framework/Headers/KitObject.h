/* A small framework for the desktop program's tests: two roots, a subtree to fold, a class
   without methods, protocols adopting each other, a category. */
@protocol KitCopying
- (id)copy;
@end

@protocol KitCoding <KitCopying>
- (void)encodeWithCoder:(id)coder;
- (id)initWithCoder:(id)coder;
@end

typedef struct _KitRect { float x; float y; float width; float height; } KitRect;
typedef enum { KitOff, KitOn } KitState;

extern NSString *KitStringFromRect(KitRect aRect);
extern void KitBeep(void);
extern int KitCount;

@interface KitObject <KitCoding>
+ (id)alloc;
- (id)init;
- (void)dealloc;
@end

@interface KitProxy
@end
