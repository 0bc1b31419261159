/* A small framework for the desktop program's tests: two roots, a subtree to fold, a class
   without methods, protocols adopting each other, a category. */
@protocol KitCopying
- (id)copy;
@end

@protocol KitCoding <KitCopying>
- (void)encodeWithCoder:(id)coder;
- (id)initWithCoder:(id)coder;
@end

@interface KitObject <KitCoding>
+ (id)alloc;
- (id)init;
- (void)dealloc;
@end

@interface KitProxy
@end
